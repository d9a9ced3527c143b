#include "base/Base.h"
#include "ui_Base.h"
#include "Base.moc"
#include <top/Top.h>
// #include "top/Top.h"
