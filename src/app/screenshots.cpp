#include "app/screenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QTreeWidget>
#include <QUrl>
#include <cmath>
#include <cstdio>
#include <exception>

#include "app/application.h"
#include "app/calculators/frm_consorcio.h"
#include "app/calculators/frm_price.h"
#include "app/cases/case_screenshots.h"
#include "app/costs/cost_screenshots.h"
#include "app/f_diretorio.h"
#include "app/form_abertura.h"
#include "app/form_indices.h"
#include "app/frm_destaca_usuario.h"
#include "app/frm_mini_navegador.h"
#include "app/frm_novo_usuario.h"
#include "app/frm_opcoes.h"
#include "app/frm_principal.h"
#include "app/frm_qrp_planilha.h"
#include "app/frm_selecao_usuario.h"
#include "app/frm_sobre.h"
#include "app/frm_usuario_permissoes.h"
#include "app/frm_usuarios.h"
#include "app/modal_runner.h"
#include "app/reference/forms_table.h"
#include "app/reference/frm_edita_sequencia.h"
#include "app/reference/frm_forma_correcao.h"
#include "app/reference/frm_grafico_indice.h"
#include "app/reference/frm_nova_sequencia.h"
#include "app/reference/frm_series_grafico_indice.h"
#include "app/reference/frm_testa_sequencia.h"
#include "app/reference/reference_screenshots.h"
#include "app/reference/update_screenshots.h"
#include "app/worksheet/detail_screenshots.h"
#include "app/worksheet/item_screenshots.h"
#include "app/worksheet/totals_screenshots.h"
#include "app/worksheet/worksheet_screenshots.h"
#include "reports/report_painter.h"
#include "ui/amount_edit.h"
#include "ui/date_edit.h"
#include "ui/prompter.h"

namespace quintara {

namespace {

// Messages are written to the error stream; nothing may wait for a person.
class LoggingPrompter : public ui::Prompter {
public:
    void inform(const QString& title, const QString& text) override { log("info", title, text); }
    void warn(const QString& title, const QString& text) override { log("aviso", title, text); }
    void error(const QString& title, const QString& text) override { log("erro", title, text); }
    Button ask(const QString& title, const QString& text, Buttons buttons, Icon, Button) override
    {
        log("pergunta", title, text);
        for (Button b : {Cancel, No, Ok})
            if (buttons & b) return b;
        return NoButton;
    }

private:
    static void log(const char* kind, const QString& title, const QString& text)
    {
        std::fprintf(stderr, "[%s] %s: %s\n", kind, qPrintable(title), qPrintable(text));
    }
};

class Shooter {
public:
    explicit Shooter(const QString& folder) : folder_(folder) {}

    // settleMs: time for work the window does in the background (folder reading).
    void shoot(QWidget& widget, const QString& name, int settleMs = 0)
    {
        if (!widget.isVisible()) widget.show();
        QElapsedTimer clock;
        clock.start();
        do {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        } while (clock.elapsed() < settleMs);
        const QString path = folder_.filePath(name + QStringLiteral(".png"));
        if (!widget.grab().save(path)) fail(path);
    }
    void save(const QImage& image, const QString& name)
    {
        const QString path = folder_.filePath(name + QStringLiteral(".png"));
        if (!image.save(path)) fail(path);
    }
    // The report also as the PDF a person would save from its preview.
    void savePdf(const reports::PageModel& model, const QString& name)
    {
        const QString path = folder_.filePath(name + QStringLiteral(".pdf"));
        try {
            reports::exportPdf(model, path);
        } catch (const std::exception&) {
            fail(path);
        }
    }
    int exitCode() const { return failures_ == 0 ? 0 : 1; }

private:
    void fail(const QString& path)
    {
        std::fprintf(stderr, "não foi possível gravar %s\n", qPrintable(path));
        ++failures_;
    }
    QDir folder_;
    int failures_ = 0;
};

// The main window as a person sees it: maximised, on a screen of at least
// 1280x800 (a smaller virtual screen gets a window of that size instead).
void showAsOnADesktop(QWidget& window)
{
    const QSize least(1280, 800);
    const QSize screen = window.screen()->availableGeometry().size();
    if (screen.width() >= least.width() && screen.height() >= least.height()) {
        window.showMaximized();
    } else {
        window.resize(least.expandedTo(screen));
        window.show();
    }
    QApplication::processEvents();
}

// The side panel and the mini chart are shown for the first index that has
// values in the base year.
void highlightAnIndexWithValues(TFrmPrincipal& main)
{
    for (int row = 1; row < main.gridRowCount(); ++row) {
        for (int month = 1; month <= 12; ++month) {
            if (main.cellText(month, row).isEmpty()) continue;
            main.StringGrid1->setCurrentCell(row - 1, 0);
            return;
        }
    }
}

// The user-selection dialog takes the first registered user; every other
// window opened by the main window on its own is closed at once.
int screenshotRunner(QDialog& dialog, DataModule& dm)
{
    if (auto* selection = qobject_cast<TFrmSelecaoUsuario*>(&dialog)) {
        selection->show();
        foxpro::Table& users = dm.Usuarios();
        users.setTag("indusr01");
        users.first();
        if (!users.eof()) selection->cCodigo->setText(QString::fromStdString(users.getRaw("CODIGO")));
        selection->hide();
        return users.eof() ? QDialog::Rejected : QDialog::Accepted;
    }
    return QDialog::Rejected;
}

void shootUserDialogs(Shooter& shooter, TFrmPrincipal& main, DataModule& dm)
{
    TFrmSelecaoUsuario selection(dm, &main);
    shooter.shoot(selection, QStringLiteral("TFrmSelecaoUsuario"));

    TFrmUsuarios users(dm, &main);
    shooter.shoot(users, QStringLiteral("TFrmUsuarios"));

    foxpro::Table& table = dm.Usuarios();
    table.setTag("");
    table.last();
    TFrmNovoUsuario added(dm, &main);
    added.ItOrdem->setText(QString::number(table.recNo() + 1));
    shooter.shoot(added, QStringLiteral("TFrmNovoUsuario"));

    table.setTag("indusr01");
    table.first();
    const auto fill = [&](TFrmNovoUsuario& dialog) {
        dialog.ItOrdem->setText(QString::number(table.recNo()));
        dialog.cNome->setText(QString::fromStdString(table.getString("NOME")));
        dialog.cCodigo->setText(QString::fromStdString(table.getString("CODIGO")));
    };
    TFrmUsuarioPermissoes change(dm, &main);
    fill(change);
    shooter.shoot(change, QStringLiteral("TFrmUsuarioPermissoes"));
    TFrmDestacaUsuario detail(dm, &main);
    fill(detail);
    shooter.shoot(detail, QStringLiteral("TFrmDestacaUsuario"));
}

// The calculators with a worked example typed in and calculated, and their reports.
void shootCalculators(Shooter& shooter, TFrmPrincipal& main, DataModule& dm)
{
    TFrmConsorcio consortium(dm, &main);
    consortium.show();
    consortium.NomeConsorciado->setText(QStringLiteral("Maria da Silva"));
    consortium.ObjetoConsorcio->setText(QStringLiteral("Automóvel"));
    consortium.ValordoBem->setAmount(Amount::parse("48000"));
    consortium.ParcelasPlano->setValue(60);
    consortium.ParcelasPagas->setValue(10);
    consortium.TAxaAdministrativa->setText(QStringLiteral("12,000000"));
    consortium.FundodeReserva->setText(QStringLiteral("2,000000"));
    consortium.SegurodeVida->setText(QStringLiteral("0,050000"));
    consortium.JurosAno->setText(QStringLiteral("12,00"));
    consortium.Multa->setText(QStringLiteral("2,00"));
    const Date today = Date::today();
    consortium.VencimentoParcela1->setDate(Date(10, today.month(), today.year() - 1));
    consortium.btCalcular->click();
    shooter.shoot(consortium, QStringLiteral("TFrmConsorcio"));
    const reports::PageModel consortiumModel = reports::consortiumReport(consortium.reportData());
    shooter.save(reports::renderPage(consortiumModel, 0), QStringLiteral("TFrmQrConsorcio"));
    shooter.savePdf(consortiumModel, QStringLiteral("TFrmQrConsorcio"));

    TFrmPrice price(dm, &main);
    price.show();
    price.valor->setAmount(Amount::parse("100000"));
    price.prazo->setText(QStringLiteral("10"));
    price.juroano->setText(QStringLiteral("12"));
    price.Button1->click();
    shooter.shoot(price, QStringLiteral("TFrmPrice"));
    if (price.reportData()) {
        const reports::PageModel priceModel = reports::priceReport(*price.reportData());
        shooter.save(reports::renderPage(priceModel, 0), QStringLiteral("TQFrmPrice"));
        shooter.savePdf(priceModel, QStringLiteral("TQFrmPrice"));
    }
}

// Made-up monthly values (2019 to 2024) for indices that have none, so that
// the charts and the sequence tester have something to show.
void addDemoValues(DataModule& dm, const std::string& code, double base)
{
    if (!dm.QueryIndices(code, Date(), Date()).empty()) return;
    foxpro::Table& values = dm.ValorIndices();
    for (int i = 0; i < 72; ++i) {
        const int year = 2019 + i / 12;
        const int month = i % 12 + 1;
        values.append();
        values.setString("LCM_COD", code);
        values.setDate("LCM_DATA", Date(1, month, year).toDtos());
        values.setNumber("LCM_VALOR", base + 0.25 * std::sin(i / 5.0) + 0.01 * (i % 7));
        values.post();
    }
}

void shootReferenceWindows(Shooter& shooter, TFrmPrincipal& main, DataModule& dm)
{
    addDemoValues(dm, "INPC", 0.45);
    addDemoValues(dm, "IPCA", 0.40);
    TFrmFormaCorrecao forms(dm, &main);
    shooter.shoot(forms, QStringLiteral("TFrmFormaCorrecao"));
    forms.editarPeriodicidadeClick();
    shooter.shoot(forms, QStringLiteral("TFrmFormaCorrecao-periodicidade"));

    TFrmNovaSequencia added(dm, &main);
    added.setProposedCode(QString::fromStdString(nextFormCode(dm)));
    shooter.shoot(added, QStringLiteral("TFrmNovaSequencia"));
    foxpro::Table& table = dm.FormaCorrecao();
    table.setTag("codigo");
    table.last();
    TFrmEditaSequencia change(dm, table.recNo(), &main);
    shooter.shoot(change, QStringLiteral("TFrmEditaSequencia"));

    const reports::PageModel formsReport = reports::correctionFormsReport(forms.reportRows());
    shooter.save(reports::renderPage(formsReport, 0), QStringLiteral("TFrmQrpFormaCorrecao"));
    shooter.savePdf(formsReport, QStringLiteral("TFrmQrpFormaCorrecao"));

    TFrmTestaSequencia tester(dm, "001", &main);
    shooter.shoot(tester, QStringLiteral("TFrmTestaSequencia"));
    tester.DataTit->setDate(Date(15, 3, 2019));
    tester.DataCalc->setDate(Date(30, 6, 2020));
    tester.chbVerValores->setChecked(true);
    tester.chbMostrarValores->setChecked(true);
    tester.BtTestar->click();
    shooter.shoot(tester, QStringLiteral("TFrmTestaSequencia-teste"));
    forms.close();

    foxpro::Table& indices = dm.Indices();
    indices.setTag("codigo");
    indices.seek({"INPC"});
    TFrmGraficoIndice chart(dm, &main);
    shooter.shoot(chart, QStringLiteral("TFrmGraficoIndice"));
    TFrmSeriesGraficoIndice series(dm, &chart);
    series.addSeries(QStringLiteral("IPCA"));
    shooter.shoot(series, QStringLiteral("TFrmSeriesGraficoIndice"));
    const reports::PageModel chartReport = chart.report();
    shooter.save(reports::renderPage(chartReport, 0), QStringLiteral("TFrmPGraficoIndice"));
    shooter.savePdf(chartReport, QStringLiteral("TFrmPGraficoIndice"));
    chart.close();
}

}  // namespace

int takeScreenshots(Startup& startup, const QString& folder)
{
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "não foi possível criar a pasta %s\n", qPrintable(folder));
        return 1;
    }
    LoggingPrompter prompter;
    ui::PrompterScope prompterScope(prompter);
    DataModule& dm = startup.dataModule();
    ModalRunnerScope runnerScope([&dm](QDialog& dialog) { return screenshotRunner(dialog, dm); });
    Shooter shooter(folder);

    if (TFormAbertura* splash = startup.splash()) shooter.shoot(*splash, QStringLiteral("TFormAbertura"));

    TFrmPrincipal& main = startup.mainWindow();
    showAsOnADesktop(main);
    main.FormActivate();
    highlightAnIndexWithValues(main);
    shooter.shoot(main, QStringLiteral("TFrmPrincipal"));

    shootUserDialogs(shooter, main, dm);

    TFrmOpcoes options(startup.settings(), dm, {}, &main);
    shooter.shoot(options, QStringLiteral("TFrmOpcoes"));

    TFDiretorio directory(&main);
    directory.selectFolder(QString::fromStdString(dm.dataDir()));
    shooter.shoot(directory, QStringLiteral("TFDiretorio"), 400);

    TFrmMiniNavegador browser(&main);
    browser.navigate(
        QUrl::fromLocalFile(QString::fromStdString(dm.dataDir()) + QStringLiteral("html/Quintara.html")));
    shooter.shoot(browser, QStringLiteral("TFrmMiniNavegador"));

    TFrmSobre about(&main);
    shooter.shoot(about, QStringLiteral("TFrmSobre"));

    shootReferenceWindows(
        dm, main, [&](QWidget& widget, const QString& name) { shooter.shoot(widget, name, 100); },
        [&](const reports::PageModel& model, const QString& name) {
            shooter.save(reports::renderPage(model, 0), name);
            shooter.savePdf(model, name);
        });

    const reports::PageModel sheetReport = TFrmQrpPlanilha::prepare(main.sheetForReport());
    shooter.save(reports::renderPage(sheetReport, 0), QStringLiteral("TFrmQrpPlanilha"));
    shooter.savePdf(sheetReport, QStringLiteral("TFrmQrpPlanilha"));

    shootCalculators(shooter, main, dm);
    const ScreenshotSink sink{[&](QWidget& window, const QString& name) { shooter.shoot(window, name); },
                              [&](const reports::PageModel& model, const QString& name) {
                                  shooter.save(reports::renderPage(model, 0), name);
                                  shooter.savePdf(model, name);
                              }};
    shootCaseWindows(sink, dm, &main);
    shootCostWindows(sink, dm, &main);
    shootWorksheetWindows(sink, dm, &main);
    shootItemWindows(sink, dm, &main);
    shootTotalsWindows(sink, dm, &main);
    shootDetailWindows(sink, dm, &main);
    shootReferenceWindows(shooter, main, dm);
    shootIndexUpdate(sink, dm, &main);

    // The reorganiser closes the data module's tables, so it comes last.
    TFormIndices reorganiser(dm, &main);
    shooter.shoot(reorganiser, QStringLiteral("TFormIndices"));
    reorganiser.close();
    return shooter.exitCode();
}

}  // namespace quintara
