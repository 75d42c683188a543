// Set Flag File, About and the error box as modal GTK dialogs, with Korvane.exe's texts
// and decisions; each runs its own nested main loop until it is decided.
#include "watcher/core/set_flag_rules.h"
#include "watcher/gtk/key_file_profile.h"
#include "watcher/gtk/kvg_app.h"
#include "watcher/resources/resource.h"

enum { kResponseOk = 1, kResponseCancel = 2 };

// Windows' dialogs have no minimize or maximize button, and some window managers (KDE's
// kwin) would give a dialog both. Minimized, a modal dialog leaves the main window's menu
// dead. After GTK's own realize, which sets the functions from deletable alone.
static void OfferMoveAndClose(GtkWidget *dialog, gpointer) {
  int functions = GDK_FUNC_MOVE;
  if (gtk_window_get_deletable(GTK_WINDOW(dialog))) functions |= GDK_FUNC_CLOSE;
  gdk_window_set_functions(gtk_widget_get_window(dialog), static_cast<GdkWMFunction>(functions));
}

static GtkWidget *NewDialog(GtkWindow *parent, const char *title) {
  GtkWidget *dialog = gtk_dialog_new();
  gtk_window_set_title(GTK_WINDOW(dialog), title);
  gtk_window_set_transient_for(GTK_WINDOW(dialog), parent);
  gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
  gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
  gtk_window_set_deletable(GTK_WINDOW(dialog), FALSE);
  gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER_ON_PARENT);
  gtk_style_context_add_class(gtk_widget_get_style_context(dialog), KVG_STYLE_CLASS);
  g_signal_connect_after(dialog, "realize", G_CALLBACK(OfferMoveAndClose), nullptr);
  return dialog;
}

static GtkWidget *AddLabel(GtkWidget *box, const char *text) {
  GtkWidget *label = gtk_label_new(text);
  gtk_box_pack_start(GTK_BOX(box), label, FALSE, FALSE, 2);
  return label;
}

static void AddLabels(GtkWidget *box, const char *const texts[], int count) {
  for (int i = 0; i < count; ++i) AddLabel(box, texts[i]);
}

// The four small labels show the expected layout of a name above the field.
static GtkWidget *AddNameField(GtkWidget *content, const char *name) {
  static const char *const kLabels[] = {KV_TEXT_DRIVE, KV_TEXT_PATH, KV_TEXT_FILENAME,
                                        KV_TEXT_EXTENSION};
  GtkWidget *prompt = AddLabel(content, KV_TEXT_PROMPT);
  GtkWidget *row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
  AddLabels(row, kLabels, 4);
  gtk_box_pack_start(GTK_BOX(content), row, FALSE, FALSE, 2);
  GtkWidget *entry = gtk_entry_new();
  gtk_entry_set_max_length(GTK_ENTRY(entry), kNameFieldLimit);
  // A name from the command line may be any bytes; the field shows only text.
  if (g_utf8_validate(name, -1, nullptr)) gtk_entry_set_text(GTK_ENTRY(entry), name);
  // Enter presses the default button, Cancel, as in Korvane.exe.
  gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
  gtk_box_pack_start(GTK_BOX(content), entry, FALSE, FALSE, 2);
  // Named by its prompt for screen readers (labelled-by), with no mnemonic to underline.
  gtk_label_set_mnemonic_widget(GTK_LABEL(prompt), entry);
  return entry;
}

// Runs the dialog's own loop. The end of the session ends it and then answers NONE,
// which every caller takes as a Cancel; a loop outside this one is ended in turn.
static int RunModal(GtkWidget *dialog) {
  if (g_kvg.sessionEnded) return GTK_RESPONSE_NONE;
  GtkWidget *outer = g_kvg.modal;
  g_kvg.modal = dialog;
  int response = gtk_dialog_run(GTK_DIALOG(dialog));
  g_kvg.modal = outer;
  if (!g_kvg.sessionEnded) return response;
  KvgEndModal();
  return GTK_RESPONSE_NONE;
}

void KvgEndModal(void) {
  if (g_kvg.modal != nullptr) gtk_dialog_response(GTK_DIALOG(g_kvg.modal), GTK_RESPONSE_NONE);
}

// Escape and the window manager's close count as Cancel. OK on an empty field keeps the
// dialog open with the focus back in the field.
static int DecideSetFlag(GtkWidget *dialog, GtkWidget *entry, WatcherState *state) {
  for (;;) {
    if (RunModal(dialog) != kResponseOk) break;
    // Cut here at a character boundary: a cut inside a UTF-8 character would leave a name
    // the key file cannot hold.
    char field[kNameReadSize];
    CopyWholeCharacters(gtk_entry_get_text(GTK_ENTRY(entry)), field, kNameReadSize);
    if (SetFlagDialogOk(state, field)) return 1;
    gtk_widget_grab_focus(entry);
  }
  SetFlagDialogCancel(state);
  return 0;
}

int KvgRunSetFlagDialog(GtkWindow *parent, WatcherState *state) {
  GtkWidget *dialog = NewDialog(parent, KV_SETFLAG_CAPTION);
  GtkWidget *entry =
      AddNameField(gtk_dialog_get_content_area(GTK_DIALOG(dialog)), state->flagFileName);
  gtk_dialog_add_button(GTK_DIALOG(dialog), KV_TEXT_OK, kResponseOk);
  gtk_dialog_add_button(GTK_DIALOG(dialog), KV_TEXT_CANCEL, kResponseCancel);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), kResponseCancel);
  gtk_widget_show_all(dialog);
  gtk_widget_grab_focus(entry);
  int result = DecideSetFlag(dialog, entry, state);
  gtk_widget_destroy(dialog);
  return result;
}

// The maker's address above the icon and the product, the numbers in a row below.
static void AddAboutTexts(GtkWidget *content) {
  static const char *const kAddress[] = {KV_MAKER_NAME, KV_MAKER_STREET, KV_MAKER_CITY,
                                         KV_MAKER_POSTCODE};
  static const char *const kProduct[] = {KV_TEXT_PRODUCT, KV_TEXT_RELEASE, KV_MAKER_NOTICE};
  static const char *const kNumbers[] = {KV_TEXT_VOICE_LABEL, KV_TEXT_ONLINE_LABEL, KV_MAKER_PHONE,
                                         KV_MAKER_ONLINE};
  AddLabels(content, kAddress, 4);
  GtkIconTheme *theme = gtk_icon_theme_get_default();
  if (gtk_icon_theme_has_icon(theme, KVG_ICON_NAME))
    gtk_box_pack_start(GTK_BOX(content),
                       gtk_image_new_from_icon_name(KVG_ICON_NAME, GTK_ICON_SIZE_DND), FALSE, FALSE,
                       2);
  AddLabels(content, kProduct, 3);
  GtkWidget *numbers = gtk_grid_new();
  gtk_grid_set_column_spacing(GTK_GRID(numbers), 40);
  for (int i = 0; i < 4; ++i)
    gtk_grid_attach(GTK_GRID(numbers), gtk_label_new(kNumbers[i]), i % 2, i / 2, 1, 1);
  gtk_box_pack_start(GTK_BOX(content), numbers, FALSE, FALSE, 2);
}

void KvgRunAboutDialog(GtkWindow *parent) {
  GtkWidget *dialog = NewDialog(parent, KV_ABOUT_CAPTION);
  AddAboutTexts(gtk_dialog_get_content_area(GTK_DIALOG(dialog)));
  gtk_dialog_add_button(GTK_DIALOG(dialog), KV_TEXT_OK, kResponseOk);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), kResponseOk);
  gtk_widget_show_all(dialog);
  // Only OK closes it: Escape comes back as another response and is ignored, as on
  // Windows. NONE means the dialog went away under the loop, or the session ended.
  int response;
  do response = RunModal(dialog);
  while (response != kResponseOk && response != GTK_RESPONSE_NONE);
  gtk_widget_destroy(dialog);
}

void KvgErrorBox(GtkWindow *parent, const char *text, const char *caption) {
  GtkWidget *box = gtk_message_dialog_new(parent, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR,
                                          GTK_BUTTONS_OK, "%s", text);
  gtk_window_set_title(GTK_WINDOW(box), caption);
  g_signal_connect_after(box, "realize", G_CALLBACK(OfferMoveAndClose), nullptr);
  RunModal(box);
  gtk_widget_destroy(box);
}
