// database/paths/data_expression.cpp: what a data reference needs of an "=" expression, whose
// language lives in the query engine above the data set.
#include "database/paths/data_expression.h"

namespace {

IDataExpressionParser* g_parser = nullptr;

} // namespace

void SetDataExpressionParser(IDataExpressionParser* parser)
{
    g_parser = parser;
}

IDataExpressionParser* GetDataExpressionParser()
{
    return g_parser;
}
