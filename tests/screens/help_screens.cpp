// The help window of each program, on one of its topics.

#include "screen_registry.h"

#include "ui/help_service.h"
#include "ui/help_window.h"

namespace {

std::unique_ptr<QWidget> HelpOn(const QString& folder, int helpContext)
{
    const TTopicHelp help(folder);
    auto window = std::make_unique<THelpWindow>(nullptr, help.ContentsUrl());
    window->ShowTopic(help.TopicUrl(helpContext));
    return window;
}

const bool registered = RegisterScreens({
    {"strativa", "help-std-dev-matrix", [] { return HelpOn(kStrativaHelp, 10300); }},
    {"strativa", "help-contents", [] { return HelpOn(kStrativaHelp, kHelpContents); }},
    {"plurimod", "help-populations", [] { return HelpOn(kPlurimodHelp, 10400); }},
    {"monovara", "help-extinction-risk", [] { return HelpOn(kMonovaraHelp, 30700); }},
});

}  // namespace
