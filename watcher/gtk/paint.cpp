// The watcher's colours: the main window's client area painted grey, with the status
// lines in black at the places Korvane.exe draws them, and the dialogs' style. A
// high-contrast desktop's colours win over both; larger text widens the window.
#include <string.h>

#include "watcher/core/status_lines.h"
#include "watcher/core/watcher_constants.h"
#include "watcher/gtk/kvg_app.h"

// The watcher's grey and black, or the theme's own background and text colours.
struct Colours {
  GdkRGBA background, text;
};

static GtkCssProvider *s_style;  // the watcher's grey, while it is in force

static void SetColour(cairo_t *cr, const GdkRGBA *colour) {
  cairo_set_source_rgb(cr, colour->red, colour->green, colour->blue);
}

static GdkRGBA Grey(int level) {
  double value = level / 255.0;
  return GdkRGBA{value, value, value, 1.0};
}

// A high-contrast GTK theme (Adwaita's HighContrast and HighContrastInverse, by the
// setting or by GTK_THEME), or GNOME's high-contrast switch where its schema is installed.
static int HighContrast(void) {
  g_autofree gchar *theme = nullptr;
  g_object_get(gtk_settings_get_default(), "gtk-theme-name", &theme, nullptr);
  const char *forced = g_getenv("GTK_THEME");
  if ((theme != nullptr && strstr(theme, "HighContrast") != nullptr) ||
      (forced != nullptr && strstr(forced, "HighContrast") != nullptr))
    return 1;
  GSettingsSchemaSource *schemas = g_settings_schema_source_get_default();
  g_autoptr(GSettingsSchema) schema =
      schemas != nullptr
          ? g_settings_schema_source_lookup(schemas, "org.gnome.desktop.a11y.interface", TRUE)
          : nullptr;
  if (schema == nullptr || !g_settings_schema_has_key(schema, "high-contrast")) return 0;
  g_autoptr(GSettings) settings = g_settings_new("org.gnome.desktop.a11y.interface");
  return g_settings_get_boolean(settings, "high-contrast");
}

static Colours ColoursOf(GtkWidget *area) {
  Colours colours = {Grey(kBackgroundGrey), Grey(kTextGrey)};
  if (s_style != nullptr) return colours;
  GtkStyleContext *style = gtk_widget_get_style_context(area);
  if (!gtk_style_context_lookup_color(style, "theme_bg_color", &colours.background))
    colours.background = Grey(255);
  if (!gtk_style_context_lookup_color(style, "theme_fg_color", &colours.text))
    colours.text = Grey(kTextGrey);
  return colours;
}

void KvgPaintStatus(GtkWidget *area, cairo_t *cr, const WatcherState *state) {
  Colours colours = ColoursOf(area);
  SetColour(cr, &colours.background);
  cairo_paint(cr);
  StatusLine lines[kMaxStatusLines];
  int count = GetStatusLines(state, lines);
  for (int i = 0; i < count; ++i) {
    g_autoptr(PangoLayout) layout = gtk_widget_create_pango_layout(area, lines[i].text);
    int width, height;
    pango_layout_get_pixel_size(layout, &width, &height);
    // The lines stand 10 pixels apart whatever the font, so a taller font's line is
    // partly covered by the next one's background, as on Windows.
    SetColour(cr, &colours.background);
    cairo_rectangle(cr, lines[i].x, lines[i].y, width, height);
    cairo_fill(cr);
    SetColour(cr, &colours.text);
    cairo_move_to(cr, lines[i].x, lines[i].y);
    pango_cairo_show_layout(cr, layout);
  }
}

// The window is as wide as Korvane.exe's, or wider, as larger text needs: the longest
// status line, with the same margin on the right as on the left.
static void FitStatus(GtkWidget *area, gpointer) {
  static const char *const kTexts[] = {KV_TEXT_NO_COMMAND_LINE, KV_TEXT_NO_TIMER, KV_TEXT_FLAG_ON};
  int needed = kWindowWidth;
  for (const char *text : kTexts) {
    g_autoptr(PangoLayout) layout = gtk_widget_create_pango_layout(area, text);
    int width, height;
    pango_layout_get_pixel_size(layout, &width, &height);
    needed = MAX(needed, kTextLeft + width + kTextLeft);
  }
  gtk_widget_set_size_request(gtk_widget_get_parent(area), needed, kWindowHeight);
}

void KvgFitStatus(GtkWidget *area) {
  FitStatus(area, nullptr);
  g_signal_connect(area, "style-updated", G_CALLBACK(FitStatus), nullptr);
}

// The grey while the theme is an ordinary one; a high-contrast theme's own colours else.
static void FollowTheme(GtkSettings *, GParamSpec *, gpointer) {
  GdkScreen *screen = gdk_screen_get_default();
  if (HighContrast() && s_style != nullptr) {
    gtk_style_context_remove_provider_for_screen(screen, GTK_STYLE_PROVIDER(s_style));
    g_clear_object(&s_style);
  } else if (!HighContrast() && s_style == nullptr) {
    g_autofree gchar *css = g_strdup_printf(
        "." KVG_STYLE_CLASS " { background-color: rgb(%d,%d,%d); color: rgb(%d,%d,%d); }",
        kBackgroundGrey, kBackgroundGrey, kBackgroundGrey, kTextGrey, kTextGrey, kTextGrey);
    s_style = gtk_css_provider_new();
    gtk_css_provider_load_from_data(s_style, css, -1, nullptr);
    gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(s_style),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  }
}

void KvgInstallStyle(void) {
  FollowTheme(nullptr, nullptr, nullptr);
  g_signal_connect(gtk_settings_get_default(), "notify::gtk-theme-name", G_CALLBACK(FollowTheme),
                   nullptr);
}
