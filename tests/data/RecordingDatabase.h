#pragma once
// A database for tests: records every statement and answers from a table of
// rules (the first rule whose text occurs in the statement wins); anything
// else gets an empty result.

#include <qelvan/session.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

namespace qelvan::test {

class RecordingDatabase : public Database {
public:
    std::vector<std::string> statements;
    /// Called as each statement runs, before it is answered.
    std::function<void()> onExecute;

    /// Statements containing `fragment` return `result`.
    void answer(std::string fragment, ResultSet result)
    {
        m_rules.push_back({std::move(fragment), std::move(result)});
    }
    /// Statements containing `fragment` fail with `message`.
    void fail(std::string fragment, std::string message)
    {
        m_rules.push_back({std::move(fragment), std::move(message)});
    }
    void clearRules() { m_rules.clear(); }

    ResultSet execute(std::string_view statement) override
    {
        statements.emplace_back(statement);
        if (onExecute)
            onExecute();
        for (const Rule& rule : m_rules) {
            if (statement.find(rule.fragment) == std::string_view::npos)
                continue;
            if (const auto* message = std::get_if<std::string>(&rule.answer))
                throw DatabaseError(*message);
            return std::get<ResultSet>(rule.answer);
        }
        return {};
    }

private:
    struct Rule {
        std::string fragment;
        std::variant<ResultSet, std::string> answer;
    };
    std::vector<Rule> m_rules;
};

/// A result with text columns only.
inline ResultSet textRows(std::initializer_list<std::string> columns,
                          std::initializer_list<std::vector<Cell>> rows)
{
    ResultSet result;
    for (const std::string& name : columns)
        result.columns.push_back({name, ColumnType::Text});
    for (const auto& row : rows)
        result.rows.push_back(row);
    return result;
}

/// A result of one text column.
inline ResultSet textColumn(const std::string& name, const std::vector<std::string>& values)
{
    ResultSet result;
    result.columns.push_back({name, ColumnType::Text});
    for (const std::string& v : values)
        result.rows.push_back({v});
    return result;
}

/// One summary row in the column order the summary statements produce.
struct SummaryRow {
    std::string code;
    double quantity;
    double amount;
    double tax;
    Cell price;
    double net;
    std::string name;
};

/// A summary result; `withNet` false leaves out BHSJE0.
inline ResultSet summaryRows(const std::vector<SummaryRow>& rows, bool withNet = true)
{
    ResultSet result;
    result.columns = {{"SPDM00", ColumnType::Text},  {"SL0000", ColumnType::Float}, {"JE0000", ColumnType::Float},
                      {"SE0000", ColumnType::Float}, {"DJIA00", ColumnType::Float}};
    if (withNet)
        result.columns.push_back({"BHSJE0", ColumnType::Float});
    result.columns.push_back({"SPMC00", ColumnType::Text});
    for (const SummaryRow& r : rows) {
        std::vector<Cell> cells{r.code, r.quantity, r.amount, r.tax, r.price};
        if (withNet)
            cells.push_back(r.net);
        cells.push_back(r.name);
        result.rows.push_back(std::move(cells));
    }
    return result;
}

} // namespace qelvan::test
