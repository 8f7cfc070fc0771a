#pragma once
#include "platform/Clock.h"
#include "tests/support/Fake.h"
