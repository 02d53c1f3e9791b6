#include "settings/ClassesRoot.h"

#include <cctype>
#include <cstdio>
#include <map>
#include <optional>
#include <sstream>

#include "formats/ByteFile.h"

namespace sono {

namespace {

struct Key {
    std::string path; // as it was first written
    std::map<std::string, std::string> values;
};
// By key path in lower case: parents sort before their children.
using Keys = std::map<std::string, Key>;

std::string folded(const std::string& path) {
    std::string out = path;
    for (char& c : out)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A name or value between double quotes: backslash and quote escaped, control characters
// (line breaks, a zero) written as \xHH, so that every entry stays on its line.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 32) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + '"';
}

// Reads a quoted text starting at `at` (its opening quote); nullopt when it is not one.
std::optional<std::string> unquoted(const std::string& line, size_t& at) {
    if (at >= line.size() || line[at] != '"') return std::nullopt;
    std::string out;
    for (++at; at < line.size(); ++at) {
        char c = line[at];
        if (c == '"') {
            ++at;
            return out;
        }
        if (c != '\\' || at + 1 >= line.size()) {
            out += c;
            continue;
        }
        c = line[++at];
        if (c == 'x' && at + 2 < line.size()) {
            out += char(std::stoi(line.substr(at + 1, 2), nullptr, 16) & 0xFF);
            at += 2;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

void addKey(Keys& keys, const std::string& path) {
    // Every parent exists with its child.
    for (size_t end = path.find('\\'); end != std::string::npos; end = path.find('\\', end + 1))
        keys.try_emplace(folded(path.substr(0, end)), Key{path.substr(0, end), {}});
    keys.try_emplace(folded(path), Key{path, {}});
}

// A missing file is an empty store, and so is anything but a regular file of at most 1 MiB (a
// FIFO is not waited for, a link to a device not read without end): the next write replaces it.
// A line that is not understood is passed over.
Keys readKeys(const std::filesystem::path& file) {
    constexpr int64_t LargestStore = 1 << 20;
    Keys keys;
    std::istringstream in(readSmallFile(file.string(), LargestStore).value_or(""));
    std::string line;
    Key* current = nullptr;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            const std::string path = line.substr(1, line.size() - 2);
            addKey(keys, path);
            current = &keys.at(folded(path));
            continue;
        }
        if (!current || line.empty()) continue;
        size_t at = 0;
        std::optional<std::string> name;
        if (line[0] == '@') {
            name = "";
            at = 1;
        } else {
            name = unquoted(line, at);
        }
        if (!name || at >= line.size() || line[at] != '=') continue;
        ++at;
        if (auto value = unquoted(line, at)) current->values[*name] = *value;
    }
    return keys;
}

bool writeKeys(const std::filesystem::path& file, const Keys& keys) {
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    std::string out = "; Sonoplexer: the WAV file association. Keys in [brackets], then their "
                      "values; @ is a key's default value.\n";
    for (const auto& [folded, key] : keys) {
        out += '[' + key.path + "]\n";
        for (const auto& [name, value] : key.values)
            out += (name.empty() ? std::string("@") : quoted(name)) + '=' + quoted(value) + '\n';
    }
    ReplacingFile writer(file.string(), ReplacingFile::Kind::SettingsFile);
    writer.write(out.data(), out.size());
    return writer.commit();
}

} // namespace

bool ClassesRoot::keyExists(const std::string& path) {
    const bool exists = readKeys(file_).contains(folded(path));
    lastResult_ = exists ? Result::Success : Result::NotFound;
    return exists;
}

void ClassesRoot::createKey(const std::string& path) {
    Keys keys = readKeys(file_);
    addKey(keys, path);
    lastResult_ = writeKeys(file_, keys) ? Result::Success : Result::NotWritten;
}

void ClassesRoot::setValue(const std::string& path, const std::string& name,
                           const std::string& value) {
    Keys keys = readKeys(file_);
    addKey(keys, path);
    keys.at(folded(path)).values[name] = trimmed(value);
    lastResult_ = writeKeys(file_, keys) ? Result::Success : Result::NotWritten;
}

std::string ClassesRoot::getValue(const std::string& path, const std::string& name) {
    const Keys keys = readKeys(file_);
    auto key = keys.find(folded(path));
    if (key == keys.end() || !key->second.values.contains(name)) {
        lastResult_ = Result::NotFound;
        return {};
    }
    lastResult_ = Result::Success;
    const std::string& value = key->second.values.at(name);
    return value.substr(0, value.find('\0'));
}

bool ClassesRoot::deleteKey(const std::string& parentPath, const std::string& childName) {
    Keys keys = readKeys(file_);
    const std::string child = folded(parentPath + '\\' + childName);
    if (!keys.contains(child)) {
        lastResult_ = Result::NotFound;
        return false;
    }
    std::erase_if(keys, [&](const auto& entry) {
        return entry.first == child || entry.first.starts_with(child + '\\');
    });
    lastResult_ = writeKeys(file_, keys) ? Result::Success : Result::NotWritten;
    return lastResult_ == Result::Success;
}

} // namespace sono
