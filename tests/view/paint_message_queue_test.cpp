#include "viewer/view/paint_message_queue.h"

#include "platform/fake/recording_message_sink.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

platform::Message Box(const char* text) {
    platform::Message message;
    message.text = text;
    return message;
}

TEST(PaintMessageQueue, BoxesDuringAPaintWaitForTheEventLoop) {
    platform::fake::RecordingMessageSink screen;
    std::vector<std::function<void()>> posted;
    PaintMessageQueue queue(screen, [&](std::function<void()> f) { posted.push_back(std::move(f)); });

    queue.Show(Box("before"));
    queue.BeginHold();
    EXPECT_EQ(queue.Show(Box("first")), platform::MessageAnswer::Ok);
    queue.Show(Box("second"));
    EXPECT_EQ(screen.Texts(), (std::vector<std::string>{"before"}));
    queue.EndHold();
    ASSERT_EQ(posted.size(), 1u);
    // A paint that comes before the posted call holds nothing new back.
    queue.BeginHold();
    queue.EndHold();
    posted[0]();
    EXPECT_EQ(screen.Texts(), (std::vector<std::string>{"before", "first", "second"}));
}

}  // namespace
