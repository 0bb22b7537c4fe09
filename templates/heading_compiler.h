// templates/heading_compiler.h: query titles and subtitles compiled by the box-text template
// language, installed into the query engine at start-up.
//
// The query engine's IHeadingCompiler (queries/query_heading.h): the program installs it at
// start-up with InstallHeadingCompiler, so query titles and subtitles render their functions and
// ask their parameters.
#pragma once

#include "queries/query_heading.h"

/// Compiles headings strictly; a heading that does not compile, or holds no value, stays plain.
class CHeadingCompiler final : public IHeadingCompiler {
public:
    std::unique_ptr<IHeadingTemplate> Compile(std::string_view text) override;
};

/// Installs the program's one heading compiler into the query engine.
void InstallHeadingCompiler();
