#include "cli/commands.h"

namespace quintara::cli {

int cmdInit(const Args& args, std::ostream& out, std::ostream& err);
int cmdImport(const Args& args, std::ostream& out, std::ostream& err);
int cmdIndex(const Args& args, std::ostream& out, std::ostream& err);
int cmdForm(const Args& args, std::ostream& out, std::ostream& err);
int cmdDump(const Args& args, std::ostream& out, std::ostream& err);
int cmdCheck(const Args& args, std::ostream& out, std::ostream& err);
int cmdReindex(const Args& args, std::ostream& out, std::ostream& err);
int cmdPack(const Args& args, std::ostream& out, std::ostream& err);
int cmdCalc(const Args& args, std::ostream& out, std::ostream& err);
int cmdTable(const Args& args, std::ostream& out, std::ostream& err);
int cmdRecalc(const Args& args, std::ostream& out, std::ostream& err);
int cmdConsorcio(const Args& args, std::ostream& out, std::ostream& err);
int cmdPrice(const Args& args, std::ostream& out, std::ostream& err);
int cmdCase(const Args& args, std::ostream& out, std::ostream& err);
int cmdUpdate(const Args& args, std::ostream& out, std::ostream& err);
int cmdSources(const Args& args, std::ostream& out, std::ostream& err);
int cmdItem(const Args& args, std::ostream& out, std::ostream& err);
int cmdRestore(const Args& args, std::ostream& out, std::ostream& err);

// Each command lives in its own file; this table only names them.
const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"init", "init DIR [--bare] [--seed FOLDER]", cmdInit},
        {"import", "import DIR CODE FILE [--keep N]", cmdImport},
        {"update", "update DIR [CODE...] [--base-url URL] [--timeout SECONDS] [--keep N]", cmdUpdate},
        {"sources", "sources DIR [CODE]", cmdSources},
        {"index",
         "index DIR CODE --kind 1|2|3|4 --periodicity 1|2 [--from dd/mm/yyyy] [--to dd/mm/yyyy] --desc TEXT "
         "[--history TEXT] [--series N]",
         cmdIndex},
        {"form", "form DIR CODE --chain \"A;B\" [--periods \"dd/mm/yyyy:dd/mm/yyyy ...\"] [--text TEXT]",
         cmdForm},
        {"dump", "dump DIR", cmdDump},
        {"check", "check DIR", cmdCheck},
        {"reindex", "reindex DIR [TABLE] [--tags-from DIR2] [--keep N]", cmdReindex},
        {"pack", "pack DIR TABLE [--keep N]", cmdPack},
        {"restore",
         "restore DIR ARCHIVE [--keep N]\n"
         "      puts DIR back as it was when ARCHIVE (a zip in DIR/backup/) was written: its tables, "
         "indexes,\n"
         "      memo files and .CLC calculation memos are replaced by the archive's, and those of these "
         "kinds\n"
         "      that the archive lacks (made after it) are removed; pictures, help pages, D360.TXT and "
         "backup/\n"
         "      stay. Refused while any program has a table of DIR open. DIR as it is now is backed up "
         "first.\n"
         "      import, pack and reindex back DIR up before they change it; --keep N archives stay (20)",
         cmdRestore},
        {"calc",
         "calc DIR --form CODE --origin dd/mm/yyyy --date dd/mm/yyyy --amount 1234,56 [--full-month] "
         "[--converter] "
         "[--ord-rate R] [--ord-formula simples|composto] [--ord-start dd/mm/yyyy] [--comp-rate R] "
         "[--comp-formula simples|composto] [--comp-start dd/mm/yyyy] [--fine R] [--fine-on-interest] "
         "[--fees R] "
         "[--mode worksheet|quick] [--no-correction]",
         cmdCalc},
        {"table", "table DIR --form CODE --origin dd/mm/yyyy --date dd/mm/yyyy [--converter]", cmdTable},
        {"recalc", "recalc DIR CASE dd/mm/yyyy [--all]", cmdRecalc},
        {"item",
         "item DIR CASE --form CODE --origin dd/mm/yyyy --amount 1234,56 [--description TEXT] [--payment] "
         "[--full-month] [--converter] [--ord-rate R --ord-formula simples|composto [--ord-start "
         "dd/mm/yyyy]] "
         "[--comp-rate R --comp-formula simples|composto [--comp-start dd/mm/yyyy]] [--fine R "
         "[--fine-on-interest]]",
         cmdItem},
        {"consorcio",
         "consorcio DIR --value V --instalments N --first-due dd/mm/yyyy --date dd/mm/yyyy [--paid K] "
         "[--admin-fee R] [--reserve-fund R] [--life-insurance R] [--interest R] [--fine R] [--residual R]",
         cmdConsorcio},
        {"price",
         "price DIR --amount V --years TEXT [--rate TEXT] [--symbol S --singular NAME --plural NAME]",
         cmdPrice},
        {"case",
         "case DIR NUMBER [--responsible TEXT] [--description TEXT] [--court TEXT] [--protocol-number TEXT "
         "--protocol \"dd/mm/yyyy HH:MM\"] [--status 0|1|2|3] [--history TEXT] [--name \"NAME|CITED "
         "AS|DOCUMENT\"]... "
         "[--user CODE]",
         cmdCase},
    };
    return table;
}

}  // namespace quintara::cli
