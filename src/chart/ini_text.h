#pragma once
// A small INI text reader and writer: sections in square brackets, lines of
// the form key=value. Keys stay in the order written, values are kept as
// they are (no splitting at commas, no escapes), and files stay 8-bit text.
//
// Reading: section and key names match case-insensitively, the first
// section of a name and the first key of a name count; blanks around names
// and values are dropped and one pair of double quotes around a value is
// removed. Lines outside a section, empty lines, lines without "=" and
// comment lines starting with ";" are skipped.
// Writing puts a value that starts or ends with a blank, or is itself in
// double quotes, inside double quotes so that it reads back exactly.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TIniText {
public:
    static TIniText FromLines(const std::vector<std::string>& lines);

    bool HasSection(std::string_view section) const;
    // Section names in file order.
    std::vector<std::string> SectionNames() const;
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

private:
    struct Section {
        std::string Name;
        std::vector<std::pair<std::string, std::string>> Entries;
    };
    const Section* Find(std::string_view section) const;
    std::vector<Section> sections_;
};

class TIniWriter {
public:
    // Starts a section; sections after the first are preceded by an empty line.
    void Section(std::string_view name);
    // Line breaks inside a value become blanks so they cannot split the line.
    void Value(std::string_view key, std::string_view value);
    // The text with CR LF line ends.
    const std::string& Bytes() const { return text_; }

private:
    std::string text_;
};
