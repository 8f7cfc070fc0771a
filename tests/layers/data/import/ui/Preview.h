#pragma once
#include "render/View.h"
#include "library/ui/Window.h"
#include "ui_Preview.h"
