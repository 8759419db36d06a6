#!/usr/bin/env bash
# How quickly the graphics window answers, under a private Xvfb server: the time from a key (an
# arrow, sent through the XTEST extension as a keyboard would) to the first frame that differs,
# and the frames per second while the day runs at full pace (console "hour 0", "exit", then E). The
# frames are read back from the X server (XGetImage of the whole window, polled as fast as the
# server answers); nothing in the program is instrumented.
#   outils/reactivite.sh [binary] [X Y] [presses] [seconds]
# defaults: build/pangaeolith, a 100 x 100 world (seed 5, detail level 3 as at start, 800 x 600
# window), 41 presses, 10 seconds. Prints each latency, then the medians. Needs xvfb, xdotool,
# a C++ compiler and libX11/libXtst (their run-time libraries; no headers beyond Xlib's).
set -euo pipefail
cd "$(dirname "$0")/.."
BIN=$(realpath "${1:-build/pangaeolith}")
X=${2:-100}
Y=${3:-100}
APPUIS=${4:-41}
SECONDES=${5:-10}
TRAVAIL=$(mktemp -d)
cp aide.dat "$TRAVAIL"

# The probe: "latence WINDOW N" sends N arrow presses (left and right in turn, so the view comes
# back) and prints, for each, the milliseconds until the window's image first differs, waiting
# after each for the image to stay unchanged 300 ms; "glisser WINDOW S" drags the view for S
# seconds (one pixel every 10 ms) and prints the images per second and the milliseconds from the
# last move to the last change; "images WINDOW S" counts the distinct images seen in S seconds
# and prints images per second and reads per second.
cat > "$TRAVAIL/sonde.cpp" <<'CPP'
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>
extern "C" int XTestFakeKeyEvent(Display*, unsigned int, Bool, unsigned long);
extern "C" int XTestFakeButtonEvent(Display*, unsigned int, Bool, unsigned long);
extern "C" int XTestFakeMotionEvent(Display*, int, int, int, unsigned long);
using horloge = std::chrono::steady_clock;
static Display* ecran;
static Window fenetre;
// The window's pixels, read from the root window (a GL window itself may refuse GetImage).
static std::vector<char> lire() {
  XWindowAttributes a;
  XGetWindowAttributes(ecran, fenetre, &a);
  const Window racine = DefaultRootWindow(ecran);
  int x = 0, y = 0;
  Window enfant;
  XTranslateCoordinates(ecran, fenetre, racine, 0, 0, &x, &y, &enfant);
  const int g = std::max(x, 0), h = std::max(y, 0);
  const int l = std::min(x + a.width, DisplayWidth(ecran, 0)) - g;
  const int t = std::min(y + a.height, DisplayHeight(ecran, 0)) - h;
  if (l <= 0 || t <= 0) return {};
  XImage* i = XGetImage(ecran, racine, g, h, l, t, AllPlanes, ZPixmap);
  if (i == nullptr) return {};
  std::vector<char> v(i->data, i->data + static_cast<size_t>(i->bytes_per_line) * i->height);
  XDestroyImage(i);
  return v;
}
static double ms(horloge::time_point a, horloge::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}
int main(int argc, char** argv) {
  if (argc < 4 || (ecran = XOpenDisplay(nullptr)) == nullptr) return 2;
  fenetre = std::strtoul(argv[2], nullptr, 0);
  const int n = std::atoi(argv[3]);
  if (std::string(argv[1]) == "latence") {
    // One press more, first and not counted: the first frame after start-up is slower.
    for (int k = -1; k < n; ++k) {
      // The image at rest: unchanged for 300 ms.
      std::vector<char> repos = lire();
      for (auto t = horloge::now(); ms(t, horloge::now()) < 300;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::vector<char> i = lire();
        if (i != repos) repos = i, t = horloge::now();
      }
      const KeyCode touche = XKeysymToKeycode(ecran, k % 2 != 0 ? XK_Right : XK_Left);
      XTestFakeKeyEvent(ecran, touche, True, 0);
      XTestFakeKeyEvent(ecran, touche, False, 0);
      XSync(ecran, False);
      const auto t0 = horloge::now();
      while (lire() == repos && ms(t0, horloge::now()) < 10000) {
      }
      if (k >= 0) std::printf("%.1f\n", ms(t0, horloge::now()));
      std::fflush(stdout);
    }
  } else if (std::string(argv[1]) == "glisser") {
    // A drag with the left button across the window's middle, one pixel every 10 ms, back and
    // forth over 200 pixels: images per second while it lasts, then the time the window takes
    // after the last move to show its final image (unchanged for two seconds after it).
    int x = 0, y = 0;
    Window enfant;
    XTranslateCoordinates(ecran, fenetre, DefaultRootWindow(ecran), 300, 300, &x, &y, &enfant);
    XTestFakeMotionEvent(ecran, 0, x, y, 0);
    XTestFakeButtonEvent(ecran, 1, True, 0);
    XSync(ecran, False);
    std::vector<char> avant = lire();
    long images = 0, pas = 0;
    const auto t0 = horloge::now();
    auto suivant = t0;
    while (ms(t0, horloge::now()) < n * 1000.0) {
      if (horloge::now() >= suivant) {
        XTestFakeMotionEvent(ecran, 0, x + (pas / 200 % 2 ? 200 - pas % 200 : pas % 200), y, 0);
        XSync(ecran, False);
        ++pas;
        suivant += std::chrono::milliseconds(10);
      }
      std::vector<char> i = lire();
      if (i != avant) ++images, avant.swap(i);
    }
    XTestFakeButtonEvent(ecran, 1, False, 0);
    XSync(ecran, False);
    const auto fin = horloge::now();
    auto derniere = fin;
    while (ms(derniere, horloge::now()) < 2000) {
      std::vector<char> i = lire();
      if (i != avant) derniere = horloge::now(), avant.swap(i);
    }
    std::printf("%.1f %.1f\n", images / double(n), ms(fin, derniere));
  } else {
    std::vector<char> avant = lire();
    long images = 0, lectures = 0;
    const auto t0 = horloge::now();
    while (ms(t0, horloge::now()) < n * 1000.0) {
      std::vector<char> i = lire();
      ++lectures;
      if (i != avant) ++images, avant.swap(i);
    }
    std::printf("%.1f %.1f\n", images / double(n), lectures / double(n));
  }
  XCloseDisplay(ecran);
}
CPP
c++ -O2 -std=c++20 -o "$TRAVAIL/sonde" "$TRAVAIL/sonde.cpp" -lX11 -l:libXtst.so.6

source outils/lib/xvfb.sh
lancer "" -g --seed 5 -i "$X" "$Y" -z 800 600

mediane() { sort -n | awk '{v[NR] = $1} END {print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2)}'; }

"$TRAVAIL/sonde" latence "$FENETRE" "$APPUIS" > "$TRAVAIL/latences"
echo "touche -> image (ms): $(tr '\n' ' ' < "$TRAVAIL/latences")"
echo "mediane touche -> image : $(mediane < "$TRAVAIL/latences") ms," \
  "max $(sort -n "$TRAVAIL/latences" | tail -n 1) ms"

read -r IMAGES QUEUE < <("$TRAVAIL/sonde" glisser "$FENETRE" "$SECONDES")
echo "images par seconde pendant un glisser : $IMAGES ; image finale $QUEUE ms apres le dernier mouvement"

# The day at full pace: the console's "hour 0", "exit" to close the console, then E.
xdotool key c
sleep 0.5
xdotool type --delay 50 'hour 0'
xdotool key Return
sleep 1
xdotool type --delay 50 'exit'
xdotool key Return
sleep 1
xdotool key e
sleep 1
read -r IMAGES LECTURES < <("$TRAVAIL/sonde" images "$FENETRE" "$SECONDES")
echo "images par seconde, journee a pleine allure : $IMAGES (lectures de la fenetre : $LECTURES/s)"
xdotool key q
# q ends the run only with the console closed: a run still going after 60 s is reported.
for _ in $(seq 600); do kill -0 "$PROGRAMME" 2> /dev/null || break; sleep 0.1; done
kill -0 "$PROGRAMME" 2> /dev/null && { echo "q n'a pas termine le programme" >&2; exit 1; }
wait "$PROGRAMME" || true
PROGRAMME=""
