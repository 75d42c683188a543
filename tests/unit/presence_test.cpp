// korvane's window visibility machine against a recording port, without a display: each
// row starts from a resting state, takes a script of events from the program and the
// window manager, and names the actions asked of the window and where it ends.
#include "watcher/gtk/presence.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "watcher/gtk/title_bar.h"

namespace {

// Logs every action as a word; the deadline is modelled, so that its event ("ok": time
// passed with no word) comes only while one runs, as from a real timer.
struct Window {
  PresencePort port;
  Presence presence;
  std::string log;
  int timed = 0;
  Window(PresenceWay way);
};

Window *W(void *ctx, const std::string &word = "") {
  if (!word.empty()) static_cast<Window *>(ctx)->log += " " + word;
  return static_cast<Window *>(ctx);
}

Window::Window(PresenceWay way) {
  port.ctx = this;
  port.withdraw = [](void *c) { W(c, "withdraw"); };
  port.mapWithoutFocus = [](void *c) { W(c, "map"); };
  port.deiconify = [](void *c) { W(c, "deiconify"); };
  port.iconify = [](void *c) { W(c, "iconify"); };
  port.broughtUp = [](void *c) { W(c, "up"); };
  port.presentNow = [](void *c) { W(c, "present"); };
  port.setAttention = [](void *c, int on) { W(c, on ? "hint" : "quiet"); };
  port.startDeadline = [](void *c, int ms) {
    W(c, ms == kPresenceConfirmMs ? "confirm" : "timer")->timed =
        ms == kPresenceDeadlineMs || ms == kPresenceConfirmMs;
  };
  port.stopDeadline = [](void *c) { W(c)->timed = 0; };
  port.settled = [](void *c, int iconic) { W(c, "settled:" + std::to_string(iconic)); };
  PresenceInit(&presence, way, &port);
}

// Plays the script's events in turn; "ok" is time passing, the deadline's event.
void Play(Window &w, const std::string &script) {
  using Event = void (*)(Presence *);
  static const std::map<std::string, Event> kEvents = {
      {"show", PresenceShow},
      {"minimize", PresenceMinimize},
      {"quiet", PresenceQuiet},
      {"attend", [](Presence *p) { PresenceAttend(p, 0); }},
      {"attend-focus", [](Presence *p) { PresenceAttend(p, 1); }},
      {"withdrawn", [](Presence *p) { PresenceWmReport(p, kReportWithdrawn); }},
      {"normal", [](Presence *p) { PresenceWmReport(p, kReportNormal); }},
      {"iconic", [](Presence *p) { PresenceWmReport(p, kReportIconic); }}};
  std::istringstream events(script);
  for (std::string e; events >> e;) {
    if (e == "ok" && w.timed) w.timed = 0, PresenceDeadline(&w.presence);
    if (e != "ok") kEvents.at(e)(&w.presence);
  }
}

std::string Resting(const Window &w) {
  static const char *const kNames[] = {"shown",       "minimizing", "minimized",
                                       "withdrawing", "mapping",    "confirming"};
  std::string name = kNames[w.presence.state];
  int minimizedState =
      w.presence.state == kPresenceMinimizing || w.presence.state == kPresenceMinimized;
  if (PresenceIsMinimized(&w.presence) && !minimizedState) name += " to minimized";
  return name + (w.timed ? ", timed" : "");
}

TEST(Presence, EachScriptFromEachRestingState) {
  // Mapped anew, and once shown by the window manager's word, confirmed by no word against
  // it for a moment ("ok", the confirming deadline).
  const std::string kMapped = " withdraw timer map timer", kShown = kMapped + " confirm";
  const struct {
    const char *from;  // "shown" or "minimized": on X11, under kwin (kwin-), on Wayland (ask-)
    const char *script;
    std::string log;
    const char *to;
  } kRows[] = {
      // Shown again without the focus; a second show while it waits does nothing more.
      {"minimized", "show withdrawn normal ok", kShown + " up", "shown"},
      {"minimized", "show show withdrawn show normal show ok", kShown + " up", "shown"},
      {"shown", "show withdrawn normal", "", "shown"},
      {"minimized", "show", " withdraw timer", "withdrawing, timed"},
      {"minimized", "show withdrawn normal", kShown, "confirming, timed"},
      // Taken back minimized twice, the second time just after saying it is shown, and shown
      // the third time (a late withdrawn report on the way is no answer). Three times: left
      // minimized, told once, the focus asked for meanwhile dropped; the next show counts
      // anew.
      {"minimized", "show withdrawn withdrawn iconic withdrawn normal iconic withdrawn normal ok",
       kMapped + kShown + kShown + " up", "shown"},
      {"minimized",
       "show attend-focus withdrawn iconic withdrawn iconic withdrawn iconic iconic show withdrawn "
       "iconic withdrawn normal ok",
       kMapped + kMapped + kMapped + " settled:1" + kMapped + kShown + " up hint", "shown"},
      // No word from the window manager: mapped anyway, then taken as shown.
      {"minimized", "show ok ok normal", kMapped + " up", "shown"},
      // The program minimizes while it withdraws: mapped minimized, into the taskbar; shown
      // after all, mapped shown. While it maps or confirms: minimized at once.
      {"minimized", "show minimize withdrawn normal iconic", " withdraw timer iconify map",
       "minimized"},
      {"minimized", "show minimize", " withdraw timer iconify", "withdrawing to minimized, timed"},
      {"minimized", "show minimize show withdrawn normal ok",
       " withdraw timer iconify deiconify map timer confirm up", "shown"},
      {"minimized", "show withdrawn minimize ok normal iconic", kMapped + " iconify", "minimized"},
      {"minimized", "show withdrawn normal minimize ok iconic", kShown + " iconify", "minimized"},
      // The hint and the focus only once the window manager shows it, whether asked before
      // the withdraw, before the map's answer, or after it; ended, they are not asked later.
      {"minimized", "show attend-focus withdrawn normal ok", kShown + " up hint present", "shown"},
      {"minimized", "show withdrawn attend-focus normal ok", kShown + " up hint present", "shown"},
      {"minimized", "show withdrawn normal attend ok", kShown + " up hint", "shown"},
      {"shown", "attend-focus", " hint present", "shown"},
      {"minimized", "show attend-focus quiet withdrawn normal ok",
       " withdraw timer quiet map timer confirm up", "shown"},
      {"minimized", "show attend-focus minimize show withdrawn normal ok",
       " withdraw timer iconify deiconify map timer confirm up hint", "shown"},
      // The window manager's own changes are told once; the program's own are not.
      {"shown", "iconic iconic", " settled:1", "minimized"},
      {"minimized", "withdrawn iconic normal", " settled:0", "shown"},
      {"shown", "minimize normal iconic normal", " iconify settled:0", "shown"},
      {"shown", "minimize minimize", " iconify", "minimizing"},
      // kwin: deiconified as the same window, through the same answers.
      {"kwin-minimized", "show show normal iconic normal ok attend-focus",
       " deiconify timer confirm deiconify timer confirm up hint present", "shown"},
      {"kwin-minimized", "show minimize normal", " deiconify timer iconify", "minimizing"},
      // Wayland: only asked, never told.
      {"ask-minimized", "show attend", " deiconify present hint", "shown"},
      {"ask-shown", "minimize", " iconify", "minimizing"},
  };
  for (const auto &row : kRows) {
    std::string from = row.from;
    Window w(from.rfind("ask-", 0) == 0    ? kPresenceAsk
             : from.rfind("kwin-", 0) == 0 ? kPresenceDeiconify
                                           : kPresenceRemap);
    if (from.find("minimized") != std::string::npos) Play(w, "minimize iconic");
    w.log.clear();
    Play(w, row.script);
    SCOPED_TRACE(from + ": " + row.script);
    EXPECT_EQ(w.log, row.log);
    EXPECT_EQ(Resting(w), row.to);
  }
}

// GNOME's title bar has close alone; KDE's, Xfce's, openbox's and GTK's own have minimize.
TEST(TitleBar, CloseMinimizesOnlyWhereThereIsNoMinimizeButton) {
  const struct {
    const char *layout;
    int minimizes;
  } kRows[] = {
      {"appmenu:close", 1},          {":close", 1},       {"appmenu:maximize,close", 1},
      {"unminimize:close", 1},       {nullptr, 0},        {"menu:minimize,maximize,close", 0},
      {"close,minimize:appmenu", 0}, {"icon:minimize", 0}};
  for (const auto &row : kRows)
    EXPECT_EQ(KvgCloseMinimizes(row.layout), row.minimizes) << (row.layout ? row.layout : "null");
}

}  // namespace
