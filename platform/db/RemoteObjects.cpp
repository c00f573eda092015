#include "db/RemoteObjects.h"

#include "db/AsciiText.h"
#include <qelvan/session.h>

#include <algorithm>

namespace qelvan::db {

namespace {

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isIdentifierStart(char c) { return isAsciiLetter(c) || c == '_' || (static_cast<unsigned char>(c) >= 0x80); }
bool isIdentifierPart(char c) { return isIdentifierStart(c) || isDigit(c) || c == '$' || c == '#'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

enum class Kind { Identifier, QuotedIdentifier, Dot, Other };

struct Token {
    Kind kind;
    size_t begin;
    size_t end;
};

// Keywords after which '@' starts a bind parameter, not a link.
bool isKeyword(std::string_view word)
{
    static const char* const keywords[] = {"SELECT", "WHERE", "AND", "OR", "NOT", "ON", "WHEN",
                                           "THEN", "ELSE", "LIKE", "IS", "BETWEEN", "CASE",
                                           "DISTINCT", "ALL", "LIMIT", "OFFSET", "HAVING", "BY",
                                           "SET", "VALUES", "RETURNING", "ESCAPE", "IN"};
    const std::string w = asciiUpper(word);
    return std::any_of(std::begin(keywords), std::end(keywords),
                       [&](const char* k) { return w == k; });
}

bool isPlainIdentifier(std::string_view s)
{
    if (s.empty() || !isAsciiLetter(s.front()))
        return false;
    return std::all_of(s.begin(), s.end(), [](char c) {
        return isAsciiLetter(c) || isDigit(c) || c == '_' || c == '$' || c == '#';
    });
}

// End of a quoted run starting at `pos` (the opening quote); doubled closing
// quotes stand for themselves. An unterminated run ends the text.
size_t quotedEnd(std::string_view s, size_t pos, char close)
{
    for (size_t i = pos + 1; i < s.size(); ++i) {
        if (s[i] == close) {
            if (close != ']' && i + 1 < s.size() && s[i + 1] == close) {
                ++i;
                continue;
            }
            return i + 1;
        }
    }
    return s.size();
}

} // namespace

std::string linkSchemaName(const std::string& upperLink) { return "@" + upperLink; }

RemoteRewrite rewriteRemoteObjects(std::string_view sql)
{
    RemoteRewrite result;
    std::vector<Token> tokens;   // significant tokens so far
    size_t copied = 0;           // sql[0, copied) is already in result.statement

    size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (isBlank(c)) {
            ++i;
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            const size_t eol = sql.find('\n', i);
            i = eol == std::string_view::npos ? sql.size() : eol + 1;
        } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            const size_t close = sql.find("*/", i + 2);
            i = close == std::string_view::npos ? sql.size() : close + 2;
        } else if (c == '\'') {
            const size_t end = quotedEnd(sql, i, '\'');
            tokens.push_back({Kind::Other, i, end});
            i = end;
        } else if (c == '"' || c == '`' || c == '[') {
            const size_t end = quotedEnd(sql, i, c == '[' ? ']' : c);
            tokens.push_back({Kind::QuotedIdentifier, i, end});
            i = end;
        } else if (isIdentifierStart(c)) {
            size_t end = i + 1;
            while (end < sql.size() && isIdentifierPart(sql[end]))
                ++end;
            tokens.push_back({Kind::Identifier, i, end});
            i = end;
        } else if (isDigit(c)) {
            size_t end = i + 1;
            while (end < sql.size() && (isIdentifierPart(sql[end]) || sql[end] == '.'))
                ++end;
            tokens.push_back({Kind::Other, i, end});
            i = end;
        } else if (c == '.') {
            tokens.push_back({Kind::Dot, i, i + 1});
            ++i;
        } else if (c == '@' && !tokens.empty()
                   && (tokens.back().kind == Kind::QuotedIdentifier
                       || (tokens.back().kind == Kind::Identifier
                           && !isKeyword(sql.substr(tokens.back().begin,
                                                    tokens.back().end - tokens.back().begin))))) {
            // The link name takes in dots, at signs and quotes as well, so
            // that qualified or quoted link names are refused, not half read.
            size_t end = i + 1;
            while (end < sql.size()
                   && (isIdentifierPart(sql[end]) || sql[end] == '.' || sql[end] == '@' || sql[end] == '"'))
                ++end;
            const std::string_view link = sql.substr(i + 1, end - i - 1);
            const Token object = tokens.back();
            if (link.empty())
                throw DatabaseError("Database link name missing after '"
                                    + std::string(sql.substr(object.begin, i + 1 - object.begin)) + "'");
            if (!isPlainIdentifier(link))
                throw DatabaseError("Database link name '" + std::string(link)
                                    + "' is not a plain identifier");

            size_t start = tokens.size() - 1;   // the chain SCHEMA . OBJECT
            while (start >= 2 && tokens[start - 1].kind == Kind::Dot
                   && (tokens[start - 2].kind == Kind::Identifier
                       || tokens[start - 2].kind == Kind::QuotedIdentifier))
                start -= 2;

            const std::string name = asciiUpper(link);
            if (std::find(result.links.begin(), result.links.end(), name) == result.links.end())
                result.links.push_back(name);

            result.statement.append(sql.substr(copied, tokens[start].begin - copied));
            result.statement.append("\"").append(linkSchemaName(name)).append("\".");
            result.statement.append(sql.substr(object.begin, object.end - object.begin));
            copied = end;

            tokens.resize(start);
            tokens.push_back({Kind::Other, i, end});
            i = end;
        } else {
            tokens.push_back({Kind::Other, i, i + 1});
            ++i;
        }
    }
    result.statement.append(sql.substr(copied));
    return result;
}

} // namespace qelvan::db
