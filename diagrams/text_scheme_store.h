// diagrams/text_scheme_store.h: the text schemes kept under the program's machine-wide key,
// "Diagrams\TextSchemes": one subkey per scheme with the values "System" ("Yes" or "No") and
// "BoxType0" to "BoxType5" (the template texts).
//
// Traps: schemes hold template source texts; a TemplateCheck given to InitTextSchemes and
// LoadTextSchemes drops stored texts that do not compile and stops start-up on a built-in one that
// does not. Scheme names are subkey names with "\", "[", "]", "%", control characters and end
// blanks written as "%XX"; other names are their own subkeys. SaveTextSchemes writes every scheme
// before it removes the stored schemes no longer in the list, and reports a failure; an unnamed
// scheme is not written. Each scheme's subkey stays open until the whole list is written, so the
// store's file is written once per save (every close of a changed key writes it).
#pragma once

#include "diagrams/text_scheme.h"
#include "templates/settings_store.h"

#include <functional>
#include <string>
#include <string_view>

/// Says whether a template text may be kept (the template compiler's verdict); an empty check
/// keeps every text.
using TemplateCheck = std::function<bool(const std::string& text)>;

/// The key of the store below the machine-wide root.
std::string TextSchemesKey();

/// The subkey name that holds a scheme's name, and back. Characters a key name cannot hold
/// ("\", "[", "]", control characters, blanks at either end) and "%" are written as "%" and two
/// hexadecimal digits; other names are their own subkey names.
std::string SchemeKeyName(std::string_view name);
std::string SchemeNameOfKey(std::string_view keyName);

/// Adds every stored scheme to the list. A stored template the check refuses is dropped; the
/// scheme keeps its other templates. False, with the list unchanged, when the store cannot be
/// opened.
bool LoadTextSchemes(CTextSchemeList& list, const TemplateCheck& check = {});
/// Writes the list: every scheme is written before the schemes that are no longer in the list
/// are removed, so a failure loses no scheme. On any failure the outcome holds the message "Unable
/// to save text schemes." An entry with an empty name is not written and counts as a failure.
[[nodiscard]] SaveOutcome SaveTextSchemes(const CTextSchemeList& list);
/// Start-up: LoadTextSchemes, then every built-in scheme the list lacks (compared without
/// regard to case) is added, marked system. A built-in template the check refuses ends with the
/// program's abort.
void InitTextSchemes(CTextSchemeList& list, const TemplateCheck& check = {});

/// The message for a proposed new scheme name, empty when the name may be used: refused when
/// empty, when it holds a backslash, or when a scheme of that name (without regard to case)
/// exists.
std::string CheckNewSchemeName(const CTextSchemeList& list, std::string_view name);
