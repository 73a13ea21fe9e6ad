// A page of the export dialog window: a view over part of the settings model, built with the
// window and told when the window fills itself and when the page becomes current.
#pragma once

#include <QWidget>

namespace ostrel {
class TIB_OstrelDialog;
class TOstrelDialogSettings;
struct TOstrelDialogExporters;
}  // namespace ostrel

namespace ostrel::qt {

class TSettingBinder;

struct TDialogPageContext {
    TIB_OstrelDialog& Owner;
    TOstrelDialogSettings& Settings;
    TSettingBinder& Binder;
    TOstrelDialogExporters& Exporters;
};

class TDialogPageView : public QWidget {
public:
    TDialogPageView(TDialogPageContext& context, QWidget* parent) : QWidget(parent), Context(context) {}

    // Sets the page's texts from the text table (when the window is created).
    virtual void ApplyTexts() {}
    // Shows what the model holds after the window was filled from its component.
    virtual void Fill() {}
    // The page became the current page.
    virtual void Activated() {}
    // An options file was read into the model: show what does not announce its changes.
    virtual void Reshow() {}

protected:
    // The text of this page's tab in the window's page control.
    void SetPageText(const QString& text);

    TDialogPageContext& Context;
};

// The pages, each in its own unit.
TDialogPageView* CreateFormatsPage(TDialogPageContext& context, QWidget* parent);
TDialogPageView* CreateHeaderFooterPage(TDialogPageContext& context, QWidget* parent);
TDialogPageView* CreateCaptionsPage(TDialogPageContext& context, QWidget* parent);
TDialogPageView* CreateRtfPage(TDialogPageContext& context, QWidget* parent);
TDialogPageView* CreateXmlPage(TDialogPageContext& context, QWidget* parent);
TDialogPageView* CreateSqlPage(TDialogPageContext& context, QWidget* parent);
TDialogPageView* CreateHtmlPage(TDialogPageContext& context, QWidget* parent);
TDialogPageView* CreateExcelPage(TDialogPageContext& context, QWidget* parent);
TDialogPageView* CreateAsciiPage(TDialogPageContext& context, QWidget* parent);

}  // namespace ostrel::qt
