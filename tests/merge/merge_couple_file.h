// tests/merge/merge_couple_file.h: the small file most merge tests load on both sides: a couple and
// their son, the wife's surname and the note's text chosen by the test.
#pragma once

#include "tests/database/gedcom/gedcom_test_support.h"

#include <string>

namespace merge_test {

/// A couple and their son, the wife of the surname given, and a note of the text given.
inline std::string Couple(const std::string& wife, const std::string& note)
{
    return gedcom_test::CrLf({"0 HEAD",
                              "1 CHAR UTF-8",
                              "0 @I1@ INDI",
                              "1 NAME John /Smith/",
                              "1 SEX M",
                              "1 BIRT",
                              "2 DATE 1 JAN 1900",
                              "1 FAMS @F1@",
                              "0 @I2@ INDI",
                              "1 NAME Mary /" + wife + "/",
                              "1 SEX F",
                              "1 FAMS @F1@",
                              "0 @I3@ INDI",
                              "1 NAME Tom /Smith/",
                              "1 SEX M",
                              "1 FAMC @F1@",
                              "0 @F1@ FAM",
                              "1 HUSB @I1@",
                              "1 WIFE @I2@",
                              "1 CHIL @I3@",
                              "0 @N1@ NOTE " + note,
                              "0 TRLR"});
}

} // namespace merge_test
