#include "windows/help_content.h"

#include "services/text_file.h"

namespace quarrow {

std::string WebAddress()
{
    return "http://" + std::string(kWebHost);
}

HelpView ViewForTopic(Int16 help_topic)
{
    return help_topic == 0 ? HelpView::Rules : help_topic == 1 ? HelpView::About : HelpView::None;
}

std::u16string HelpText(const std::string& programDir, HelpView view, std::u16string_view lineBreak)
{
    if (view == HelpView::None)
        return {};
    // Always joined with a separator, even after one; a doubled "/" is harmless.
    const std::string path = programDir + "/" + std::string(view == HelpView::Rules ? kRulesFile : kAboutFile);
    return WithLineBreaks(DecodeWindows1252(ReadTextFile(path)), lineBreak);
}

} // namespace quarrow
