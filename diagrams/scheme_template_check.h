// diagrams/scheme_template_check.h: the text schemes' check by the template compiler.
#pragma once

#include <string>

/// Whether the template text compiles strictly (the expression engine must be installed).
bool TemplateCompiles(const std::string& text);
