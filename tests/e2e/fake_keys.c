/* Types into whatever native Wayland window has kwin's keyboard focus, as a user would,
   through kwin's fake-input protocol (kwin must run with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1);
   keys sent with xdotool reach only XWayland's windows.
     fake_keys <delay ms> <key>...   each key a Linux key code, tapped; "+code" is held down
                                     until the last key (alt+f is "+56 33") */
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

#include "fake-input-client-protocol.h"

static struct org_kde_kwin_fake_input *fake;

static void Global(void *data, struct wl_registry *registry, uint32_t name, const char *interface,
                   uint32_t version) {
  (void)data;
  if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
    fake = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4);
}

static void GlobalRemove(void *data, struct wl_registry *registry, uint32_t name) {
  (void)data, (void)registry, (void)name;
}

/* Sends the key's change and waits until kwin has taken it, then the delay. */
static void Key(struct wl_display *display, int code, int pressed, long delay) {
  struct timespec pause = {delay / 1000, delay % 1000 * 1000000};
  org_kde_kwin_fake_input_keyboard_key(fake, (uint32_t)code, (uint32_t)pressed);
  wl_display_roundtrip(display);
  nanosleep(&pause, NULL);
}

int main(int argc, char **argv) {
  static const struct wl_registry_listener listener = {Global, GlobalRemove};
  struct wl_display *display = wl_display_connect(NULL);
  if (display == NULL || argc < 2) return 2;
  wl_registry_add_listener(wl_display_get_registry(display), &listener, NULL);
  wl_display_roundtrip(display);
  if (fake == NULL) return 1;
  org_kde_kwin_fake_input_authenticate(fake, "fake_keys", "end-to-end tests");
  long delay = atol(argv[1]);
  for (int i = 2; i < argc; ++i) {
    Key(display, atoi(argv[i]), 1, argv[i][0] == '+' ? 0 : delay / 2);
    if (argv[i][0] != '+') Key(display, atoi(argv[i]), 0, delay - delay / 2);
  }
  for (int i = argc - 1; i >= 2; --i)
    if (argv[i][0] == '+') Key(display, atoi(argv[i] + 1), 0, 0);
  wl_display_disconnect(display);
  return 0;
}
