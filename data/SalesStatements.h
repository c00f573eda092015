#pragma once
// The statement texts of the company list and the sales summary. Values are
// placed between single quotes with every quote doubled; link names are
// checked before they become part of a statement.

#include <QDate>
#include <QString>

#include <stdexcept>

namespace qelvan::sales {

/// A database link name that is not a plain identifier; what() is the
/// message the user reads.
class LinkNameError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// `value` with each single quote doubled, for use between single quotes.
QString escapeQuotes(const QString& value);

/// Letters, digits, '_', '$', '#' and '.', at least one character.
bool isPlainIdentifier(const QString& name);

/// Any rows here mean the company's head office has companies attached.
QString headOfficeProbeStatement(const QString& companyCode);
/// The short names of every company attached to the company's head office.
QString attachedCompaniesStatement(const QString& companyCode);
/// The company's own short name.
QString ownCompanyStatement(const QString& companyCode);
/// Code and database link of the company with this short name.
QString companyLookupStatement(const QString& shortName);

/// The three companies whose sales view stores amounts and tax.
bool storesAmounts(const QString& companyCode);

/// The per-product summary of the company's sales from `start` to `end`,
/// both days included; dates are written yyyy-MM-dd whatever the locale.
/// Throws LinkNameError when `link` is not a plain identifier.
QString summaryStatement(const QString& companyCode, const QString& link, const QDate& start, const QDate& end);

} // namespace qelvan::sales
