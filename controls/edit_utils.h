// controls/edit_utils.h: what the program's edits and lists share: the clipboard shortcut keys
// and a case-blind search in a list of texts.
#pragma once

#include "platform/ui/dialogs/edit.h"

#include <string>
#include <string_view>
#include <vector>

/// For an edit whose owner turned the clipboard keys on: a key-down of Ctrl+C or Ctrl+Insert
/// copies, Ctrl+V or Shift+Insert pastes, Ctrl+X or Shift+Delete cuts. True when it did one,
/// and the key is then consumed; false leaves the key to the edit.
bool TranslateClipboardKeys(CEdit& edit, bool clipboardKeys, const MSG& msg);

/// The first entry equal to text without regard to case; null for an empty text or when there
/// is none.
const std::string* FindStringNoCase(const std::vector<std::string>& list, std::string_view text);
