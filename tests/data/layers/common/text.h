// tests/data/layers/common/text.h: reaches up into the database, beside it on its layer.
#pragma once

#include "database/nodes/node.h"
