// The program's string table behind a seam: resources on Windows, a plain table
// in tests. An absent entry reads as an empty text in both.
#ifndef PEMZ_SERVICES_STRINGTABLE_H
#define PEMZ_SERVICES_STRINGTABLE_H

#include <map>
#include <string>
#include <utility>

namespace services {

class StringTable {
public:
    virtual ~StringTable() = default;
    // The entry's text, or "" when there is no such entry.
    virtual std::string Load(unsigned id) const = 0;
};

class MapStringTable : public StringTable {
public:
    MapStringTable() = default;
    explicit MapStringTable(std::map<unsigned, std::string> entries) : entries_(std::move(entries)) {}
    std::string Load(unsigned id) const override {
        const auto found = entries_.find(id);
        return found == entries_.end() ? std::string() : found->second;
    }

private:
    std::map<unsigned, std::string> entries_;
};

}  // namespace services

#endif
