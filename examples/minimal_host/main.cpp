// The smallest host: no toolkit of its own, one database, one call.
//
//   minimal_host VUQ_DB [COMPANY]
//
// Opens VUQ_DB as the database "VUQ", signs in as COMPANY and shows the
// plug-in's window at (100, 100), 780 by 490 pixels, until its Exit button is
// pressed. The plug-in creates its own Qt application because this host has none.

#include <qelvan/backends.h>
#include <qelvan/counted_string.h>
#include <qelvan/session.h>
#include <qelvan/showdll.h>

#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: " << argv[0] << " VUQ_DB [COMPANY]\n";
        return 2;
    }
    const std::string company = argc > 2 ? argv[2] : "135021000000";
    try {
        qelvan::SimpleSession session;
        session.add("VUQ", qelvan::openEmbeddedDatabase(argv[1], /*readOnly=*/true));

        // 0: company; 1-7: carried; 8: height, 9: width, 10: top, 11: left.
        const qelvan::CountedStringArray params(std::vector<std::string>{
            company, "", "", "", "", "", "", "", "490", "780", "100", "100"});
        showdll(nullptr, /*hostWindow=*/0, &session, nullptr, params.data(), params.highIndex());
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
