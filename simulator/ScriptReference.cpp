#include "simulator/ScriptReference.h"

#include "simulator/ScriptArguments.h"
#include "simulator/ScriptLanguage.h"
#include "simulator/ScriptText.h"

std::string scriptLanguageReference()
{
    std::string text
        = "The script language of corvane-sim run SCRIPT: one command per line; # starts a comment.\n"
          "SCRIPT is a regular file, or - for standard input.\n\n";
    for (const ScriptCommandHelp& command : scriptCommandHelp()) {
        text += "  " + command.words;
        if (!command.arguments.empty())
            text += " " + std::string(command.arguments);
        text += "\n      " + std::string(command.summary) + "\n      example: " + std::string(command.example)
            + "\n";
    }
    text
        += "\nA KEY is the string a character key types (q, Q, 1, \"\\\"\") or a function key's name (space, "
           "shift,\ndelete, return, more, international); an unknown key is an error that lists the keys "
           "there are.\n"
           "Fingers are numbered 1 to "
        + std::to_string(command::largestFinger)
        + "; tap, flick, slide and drag use finger 1, and so does every command\nwithout finger=N. "
          "Distances and points lie within +-"
        + formatScriptNumber(largestScriptDistance) + " points, STEPS from 1 to "
        + std::to_string(command::Drag::largestSteps) + " and\nSECONDS from 0 to "
        + formatScriptNumber(command::Wait::longest)
        + ". In quotes, \\n, \\t, \\r, \\\", \\\\ and \\xHH stand for a line break,\na tab, a carriage "
          "return, a quote, a backslash and the byte HH.\n"
          "Apps run on a virtual clock that only wait moves, so a script gives the same output on every "
          "run.\nExit status: 0 success, 1 a failed expect, 2 an error (FILE:LINE: what was expected).\n";
    return text;
}
