#pragma once
#include "render/View.h"
#include "library/Dispatch.h"
#include "render/ui/ViewControl.h"
