// diagrams/scheme_template_check.h: the text schemes' check by the template compiler, and the
// start-up of the program's scheme list with it.
#pragma once

#include <string>

/// Whether the template text compiles strictly (the expression engine must be installed).
bool TemplateCompiles(const std::string& text);

/// Start-up, after the expression engine is installed: fills the program's list
/// (TextSchemes()) from the store and the built-in schemes, each template checked by the
/// compiler; a built-in template that does not compile stops the program.
void InitProgramTextSchemes();
