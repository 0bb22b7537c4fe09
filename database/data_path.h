// database/data_path.h: naming a field relative to a node by a path of tags.
#pragma once

#include <string>
#include <string_view>

class CDataNode;

/// Resolves path text from node without parsing it against the dictionary: each token (at most
/// 32 characters, ending at ".", "[", ":", ">" or the end) must equal a child's tag; "[n]"
/// skips n matches ("[0]" is the first) and "[<n]" falls back to the last match when there are
/// fewer; "." descends, ">" follows the link to its record, ":" ends the path and hands back
/// the keyword after it. Empty text gives the node itself. Null when a step finds nothing.
CDataNode* FindNodeByText(CDataNode* node, std::string_view text, std::string* qualifier);

/// Letters and digits of text in upper case, everything else dropped.
std::string MakeAlnumUpperKey(std::string_view text);
/// True when both texts hold the same letters and digits in the same order, ignoring case and
/// every other character.
bool CompareAlnumNoCase(std::string_view a, std::string_view b);
