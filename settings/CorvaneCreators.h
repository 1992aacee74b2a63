#pragma once

// The two people the creators page presents, and the maker's own account.
struct CorvaneCreator {
    const char* displayName;
    const char* pictureKey;
    const char* handle;
    const char* roleLine;
};

inline constexpr CorvaneCreator corvaneDesigner { "Sable", "Sable", "(@sabledraws)",
    "User Interface Designer, Designer of Corvane, Inkwell and Tallymark" };
inline constexpr CorvaneCreator corvaneDeveloper { "Jonah Wendt", "Jonah", "(@jonahwendt)",
    "iOS Developer, Developer of Corvane, Inkwell and Tallymark" };

inline constexpr const char* quillfenHandle = "(@Quillfen)";
// A profile's web address: this base followed by the bare handle.
inline constexpr const char* profileAddressFormat = "https://social.example/%@";
