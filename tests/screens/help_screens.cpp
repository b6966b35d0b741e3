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

// The help window on a topic that no window's help context opens (one
// reached from the contents), by its file name.
std::unique_ptr<QWidget> HelpOnTopic(const QString& folder, const QString& file)
{
    const TTopicHelp help(folder);
    auto window = std::make_unique<THelpWindow>(nullptr, help.ContentsUrl());
    window->ShowTopic(help.ContentsUrl().resolved(QUrl(file)));
    return window;
}

const bool registered = RegisterScreens({
    {"strativa", "help-std-dev-matrix", [] { return HelpOn(kStrativaHelp, 10300); }},
    {"strativa", "help-contents", [] { return HelpOn(kStrativaHelp, kHelpContents); }},
    {"plurimod", "help-populations", [] { return HelpOn(kPlurimodHelp, 10400); }},
    {"monovara", "help-extinction-risk", [] { return HelpOn(kMonovaraHelp, 30700); }},
    {"strativa", "help-getting-started", [] { return HelpOnTopic(kStrativaHelp, "getting_started.html"); }},
    {"plurimod", "help-getting-started", [] { return HelpOnTopic(kPlurimodHelp, "getting_started.html"); }},
    {"monovara", "help-getting-started", [] { return HelpOnTopic(kMonovaraHelp, "getting_started.html"); }},
});

}  // namespace
