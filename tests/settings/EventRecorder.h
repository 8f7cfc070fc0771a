#pragma once

#include <vector>

#include "settings/ZEBOptions.h"

namespace zeb::test {

// Records which change events fire, in order, and checks that each one's flag is already
// cleared when its handler runs.
class EventRecorder {
public:
    explicit EventRecorder(ZEBOptions& options)
    {
        for (int e = 0; e < ChangeEventCount; ++e) {
            ChangeEvent event = ChangeEvent(e);
            options.SetHandler(event, [this, &options, event] {
                fired.push_back(event);
                if (options.IsMarked(event))
                    flagStillSet = true;
            });
        }
    }

    std::vector<int> Take()
    {
        std::vector<int> events(fired.begin(), fired.end());
        fired.clear();
        return events;
    }

    std::vector<ChangeEvent> fired;
    bool flagStillSet = false;
};

}  // namespace zeb::test
