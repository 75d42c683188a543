// The watcher's colours: the main window's client area painted grey, with the status
// lines in black at the places Korvane.exe draws them, and the dialogs' style.
#include "watcher/core/status_lines.h"
#include "watcher/core/watcher_constants.h"
#include "watcher/gtk/kvg_app.h"

static void SetGrey(cairo_t *cr, int level) {
  double value = level / 255.0;
  cairo_set_source_rgb(cr, value, value, value);
}

void KvgPaintStatus(GtkWidget *area, cairo_t *cr, const WatcherState *state) {
  SetGrey(cr, kBackgroundGrey);
  cairo_paint(cr);
  StatusLine lines[kMaxStatusLines];
  int count = GetStatusLines(state, lines);
  for (int i = 0; i < count; ++i) {
    g_autoptr(PangoLayout) layout = gtk_widget_create_pango_layout(area, lines[i].text);
    int width, height;
    pango_layout_get_pixel_size(layout, &width, &height);
    // The lines stand 10 pixels apart whatever the font, so a taller font's line is
    // partly covered by the next one's background, as on Windows.
    SetGrey(cr, kBackgroundGrey);
    cairo_rectangle(cr, lines[i].x, lines[i].y, width, height);
    cairo_fill(cr);
    SetGrey(cr, kTextGrey);
    cairo_move_to(cr, lines[i].x, lines[i].y);
    pango_cairo_show_layout(cr, layout);
  }
}

void KvgInstallStyle(void) {
  g_autofree gchar *css = g_strdup_printf(
      "." KVG_STYLE_CLASS " { background-color: rgb(%d,%d,%d); color: rgb(%d,%d,%d); }",
      kBackgroundGrey, kBackgroundGrey, kBackgroundGrey, kTextGrey, kTextGrey, kTextGrey);
  // The screen keeps a reference of its own.
  g_autoptr(GtkCssProvider) provider = gtk_css_provider_new();
  gtk_css_provider_load_from_data(provider, css, -1, nullptr);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}
