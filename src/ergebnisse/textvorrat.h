#pragma once

#include <QByteArrayView>
#include <QString>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kb::erg {

// One copy of each text while reading many records: a school year of records
// repeats the same few hundred names, words and computers, which then share
// their memory, and each is converted from UTF-8 once.
class Textvorrat {
public:
    QString text(QByteArrayView utf8)
    {
        const std::string_view schluessel(utf8.data(), std::size_t(utf8.size()));
        const auto it = texte_.find(schluessel);
        if (it != texte_.end())
            return it->second;
        return texte_.emplace(std::string(schluessel), QString::fromUtf8(utf8)).first->second;
    }

private:
    struct Streuung {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, QString, Streuung, std::equal_to<>> texte_;
};

} // namespace kb::erg
