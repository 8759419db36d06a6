// One simulation step of the whole world.
#pragma once

// Map update, war phase, then every civilisation's turn in list order.
void bcleprincip();
