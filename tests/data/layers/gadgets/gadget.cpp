// tests/data/layers/gadgets/gadget.cpp: stands in a folder that has no layer.
#include "common/text.h"
