#include "simulator/HostReply.h"

#include "simulator/LineChannel.h"
#include "simulator/ScriptArguments.h"
#include "simulator/ScriptText.h"
#include "simulator/ScriptTokenizer.h"

bool writeHostReply(LineChannel& channel, const CommandResult& result)
{
    if (!result)
        return channel.writeLine("error " + quoteScriptString(result.error().message));
    for (const std::string& line : result.value().output) {
        if (!channel.writeLine("out " + quoteScriptString(line)))
            return false;
    }
    if (result.value().elapsed > 0
        && !channel.writeLine("elapsed " + formatScriptNumber(result.value().elapsed)))
        return false;
    if (const auto& unmet = result.value().unmetExpectation)
        return channel.writeLine("failed " + quoteScriptString(*unmet));
    return channel.writeLine("ok");
}

namespace {

constexpr std::string_view progressLine = "progress";

} // namespace

bool writeHostProgress(LineChannel& channel)
{
    return channel.writeLine(progressLine);
}

std::optional<CommandResult> HostReplyReader::consume(const std::string& line)
{
    auto tokens = tokenizeScriptLine(line);
    bool wellFormed = tokens && !tokens.value().empty() && !tokens.value()[0].isQuoted;
    const std::string word = wellFormed ? tokens.value()[0].text : std::string();
    bool hasQuotedText = wellFormed && tokens.value().size() == 2 && tokens.value()[1].isQuoted;
    if (word == "ok" && tokens.value().size() == 1) {
        CommandOutcome outcome = CommandOutcome::printed(std::move(m_output));
        outcome.elapsed = m_elapsed;
        return outcome;
    }
    if (word == progressLine && tokens.value().size() == 1)
        return std::nullopt;
    if (word == "out" && hasQuotedText) {
        m_output.push_back(tokens.value()[1].text);
        return std::nullopt;
    }
    if (word == "elapsed" && tokens.value().size() == 2) {
        ScriptArguments seconds({ tokens.value()[1] }, word);
        if (auto elapsed = seconds.number("seconds")) {
            m_elapsed = elapsed.value();
            return std::nullopt;
        }
    }
    if (word == "failed" && hasQuotedText)
        return CommandOutcome::expectationFailed(tokens.value()[1].text);
    if (word == "error" && hasQuotedText)
        return Error { tokens.value()[1].text };
    return Error { "the host answered something unexpected: " + quoteScriptString(line) };
}
