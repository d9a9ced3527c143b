#include "middle/Middle.h"
