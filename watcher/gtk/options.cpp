// korvane's options, parsed by GLib with GTK's own group, so that an option of either is
// known and anything else that looks like one is refused.
#include "watcher/gtk/options.h"

#include <gtk/gtk.h>
#include <stdio.h>

#include "generated/release.h"
#include "watcher/gtk/key_file_profile.h"
#include "watcher/gtk/login_entry.h"

static gboolean s_help, s_version, s_startAtLogin, s_noStartAtLogin;

static const GOptionEntry kEntries[] = {
    {"help", 0, 0, G_OPTION_ARG_NONE, &s_help, nullptr, nullptr},
    {"version", 0, 0, G_OPTION_ARG_NONE, &s_version, nullptr, nullptr},
    {"start-at-login", 0, 0, G_OPTION_ARG_NONE, &s_startAtLogin, nullptr, nullptr},
    {"no-start-at-login", 0, 0, G_OPTION_ARG_NONE, &s_noStartAtLogin, nullptr, nullptr},
    {nullptr, 0, 0, G_OPTION_ARG_NONE, nullptr, nullptr, nullptr}};

static void PrintUsage(FILE *out) {
  fprintf(out, "Usage: %s [OPTION] [--] [NAME...]\n", KVG_PROGRAM_NAME);
}

static void PrintHelp(void) {
  PrintUsage(stdout);
  printf(
      "Watches one flag file and pops up with \"Flag is On...\" when it exists.\n\n"
      "NAME, its words joined by single blanks, is the flag file to watch for this run;\n"
      "it is not saved. Without it the name is the one set with File > Set Flag, kept\n"
      "in $XDG_CONFIG_HOME/%s/%s (by default ~/.config/%s/%s).\n"
      "A NAME that begins with '-' follows \"--\".\n\n"
      "  --start-at-login     start korvane, minimized and watching the saved name,\n"
      "                       whenever you log in to the desktop\n"
      "  --no-start-at-login  stop starting it at login\n"
      "  --help               show this help and exit\n"
      "  --version            show the version and exit\n",
      KVG_PROGRAM_NAME, KVG_INI_NAME, KVG_PROGRAM_NAME, KVG_INI_NAME);
}

// The login entry starts this very program, wherever it was installed.
static int AnswerLogin(int start) {
  g_autofree gchar *program = g_file_read_link("/proc/self/exe", nullptr);
  int ok = program != nullptr && (start ? WriteLoginEntry(program) : RemoveLoginEntry(program));
  if (!ok) fprintf(stderr, "%s: cannot change the login entry\n", KVG_PROGRAM_NAME);
  return ok ? 0 : 1;
}

static int Answer(void) {
  if (s_help) {
    PrintHelp();
    return 0;
  }
  if (s_version) {
    printf("%s (%s) %s\n", KVG_PROGRAM_NAME, KV_PRODUCT_NAME, KV_RELEASE);
    return 0;
  }
  if (s_startAtLogin || s_noStartAtLogin) return AnswerLogin(s_startAtLogin);
  return -1;
}

int AnswerOptions(int *argc, char ***argv) {
  g_autoptr(GOptionContext) context = g_option_context_new(nullptr);
  g_autoptr(GError) error = nullptr;
  // Our own --help; and options only before the first name, whose words may begin with '-'.
  g_option_context_set_help_enabled(context, FALSE);
  g_option_context_set_strict_posix(context, TRUE);
  g_option_context_add_main_entries(context, kEntries, nullptr);
  g_option_context_add_group(context, gtk_get_option_group(FALSE));
  if (!g_option_context_parse(context, argc, argv, &error)) {
    fprintf(stderr, "%s: %s\n", KVG_PROGRAM_NAME, error->message);
    PrintUsage(stderr);
    return 2;
  }
  return Answer();
}
