#pragma once
#include "reader/Reader.h"
#include "import/ui/Preview.h"
#include "platform/ui/Box.h"
