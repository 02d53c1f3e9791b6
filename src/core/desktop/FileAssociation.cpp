#include "desktop/FileAssociation.h"

#include "support/Texts.h"

namespace sono {

std::string associationCommand(const std::string& programPath) {
    return programPath + " %1";
}

std::string playVerbCommand(const std::string& programFolder) {
    return programFolder + SiblingPlayer + " C3%1";
}

std::string playVerbText(uint8_t language) {
    return LangText(language, "Geluid &Afspelen", "&Play Sound");
}

bool setAssociation(ClassesRoot& store, const std::string& extension, const std::string& command) {
    const auto first = extension.find_first_not_of(' ');
    if (first == std::string::npos || extension[first] != '.') return false;
    const std::string trimmed =
        extension.substr(first, extension.find_last_not_of(' ') - first + 1);
    const std::string typeName = trimmed.substr(1) + " File";
    store.setValue(trimmed, "", typeName);
    if (store.lastResult() != ClassesRoot::Result::Success) return false;
    store.setValue(typeName + "\\shell\\open\\command", "", command);
    return store.lastResult() == ClassesRoot::Result::Success;
}

bool removeOpenCommand(ClassesRoot& store) {
    const std::string key = OpenCommandKey;
    return store.deleteKey(key.substr(0, key.rfind('\\')), "command");
}

bool associationPresent(ClassesRoot& store, const std::string& programPath) {
    return store.getValue(OpenCommandKey, "") == associationCommand(programPath);
}

std::string playVerbKey(ClassesRoot& store) {
    if (!store.keyExists(WavExtension)) store.setValue(WavExtension, "", FallbackTypeName);
    return store.getValue(WavExtension, "") + "\\shell\\" + PlayVerb;
}

} // namespace sono
