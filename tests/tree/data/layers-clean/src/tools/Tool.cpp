#include "tools/Tool.h"
