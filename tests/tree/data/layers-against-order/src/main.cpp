#include "top/Top.h"
