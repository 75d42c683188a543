// The Set Flag File dialog's decisions on OK and Cancel.
#include "watcher/core/set_flag_rules.h"

#include <string.h>

int SetFlagDialogOk(WatcherState *state, const char *fieldText) {
  if (fieldText == 0 || fieldText[0] == '\0') return 0;
  size_t length = strlen(fieldText);
  if (length > kNameReadSize - 1) length = kNameReadSize - 1;
  memcpy(state->flagFileName, fieldText, length);
  state->flagFileName[length] = '\0';
  state->noCommandLine = 0;
  return 1;
}

void SetFlagDialogCancel(WatcherState *state) {
  if (state->flagFileName[0] == '\0') state->noCommandLine = 1;
}
