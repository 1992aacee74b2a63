#include "simulator/HostReply.h"

#include "simulator/LineChannel.h"
#include "simulator/ScriptCommand.h"
#include "simulator/ScriptTokenizer.h"

bool writeHostReply(LineChannel& channel, const HostReply& reply)
{
    for (const std::string& line : reply.output) {
        if (!channel.writeLine("out " + quoteScriptString(line)))
            return false;
    }
    switch (reply.status) {
    case HostReply::Status::Ok:
        return channel.writeLine("ok");
    case HostReply::Status::Failed:
        return channel.writeLine("failed " + quoteScriptString(reply.message));
    case HostReply::Status::Error:
        return channel.writeLine("error " + quoteScriptString(reply.message));
    }
    return false;
}

void HostReplyReader::consume(const std::string& line)
{
    TokenizedLine tokenized = tokenizeScriptLine(line);
    const auto& tokens = tokenized.tokens;
    bool wellFormed = !tokenized.error && !tokens.empty() && !tokens[0].isQuoted;
    std::string word = wellFormed ? tokens[0].text : std::string();
    if (word == "ok" && tokens.size() == 1) {
        reply.status = HostReply::Status::Ok;
        isComplete = true;
    } else if ((word == "failed" || word == "error") && tokens.size() == 2 && tokens[1].isQuoted) {
        reply.status = word == "failed" ? HostReply::Status::Failed : HostReply::Status::Error;
        reply.message = tokens[1].text;
        reply.output.clear();
        isComplete = true;
    } else if (word == "out" && tokens.size() == 2 && tokens[1].isQuoted) {
        reply.output.push_back(tokens[1].text);
    } else {
        reply = HostReply::error("the host answered something unexpected: " + quoteScriptString(line));
        isComplete = true;
    }
}
