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
