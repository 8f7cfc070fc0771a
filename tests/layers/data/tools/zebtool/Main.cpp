#include "reader/Reader.h"
#include "library/Dispatch.h"
#include "platform/ui/Box.h"
