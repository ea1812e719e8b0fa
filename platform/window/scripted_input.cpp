#include "platform/window/scripted_input.h"

#include "platform/window/window_state.h"

namespace platform {

void deliverScriptedInput(const std::vector<ScriptedInput>& input, int frame, Window* target,
                          std::deque<Message>& queue) {
    if (!target) {
        return;
    }
    const Rect client = clientRect(target);
    for (const ScriptedInput& event : input) {
        if (event.frame != frame) {
            continue;
        }
        switch (event.event) {
        case ScriptedInput::Event::Escape:
            queue.push_back({target, MessageType::KeyDown, keyEscape, 0});
            break;
        case ScriptedInput::Event::Tap:
            queue.push_back(
                {target, MessageType::LeftButtonDown, 0, packPair(client.width() / 2, client.height() / 2)});
            break;
        case ScriptedInput::Event::Close:
            queue.push_back({target, MessageType::Close, 0, 0});
            break;
        }
    }
}

} // namespace platform
