// tests/data/layers/database/nodes/node.h: reaches up into the application and into a test.
#pragma once

#include "app/av_doc.h"
#include "common/text.h"
#include "platform/base/types.h"
#include "tests/database/nodes/node_test_support.h"

#include <string>
