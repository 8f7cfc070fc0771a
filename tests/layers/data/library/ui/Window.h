#pragma once
#include "import/ui/Preview.h"
#include "render/ui/ViewControl.h"
