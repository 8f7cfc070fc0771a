#pragma once
#include "app/Main.h"
