#pragma once
// Report variables: one set for the whole engine, shared by every report of
// the process. A variable is added or replaced by name (names ignore case)
// and keeps its value until it is set again or the library is unloaded.

#include <QString>
#include <QStringList>
#include <QVariant>

namespace qelvan::report {

void setVariable(const QString& name, const QVariant& value);
bool hasVariable(const QString& name);
/// A null variant when there is no such variable.
QVariant variable(const QString& name);
/// Names as they were first set, in that order.
QStringList variableNames();
/// Forgets every variable (tests start from a clean set with it).
void clearVariables();

} // namespace qelvan::report
