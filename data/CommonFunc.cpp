#include "CommonFunc.h"

#include "app/BusyCursor.h"
#include "app/MessageBox.h"
#include "db/Query.h"

void MsgInfo(const QString& text)
{
    qelvan::app::MessageRequest request;
    request.caption = QStringLiteral("系统提示");
    request.text = text;
    request.icon = qelvan::app::MessageIcon::Information;
    qelvan::app::showMessage(request);
}

void OpenQuery(qelvan::db::Query& query, const QString& statement)
{
    query.close();
    query.sql().clear();
    query.sql().append(statement);
    const qelvan::app::BusyCursor busy;
    query.open();
}
