#include "printing/PrinterForms.h"

#include "platform/AsciiText.h"
#include "platform/AtomicFile.h"
#include "printing/PrinterServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace orv {

namespace {

QString formsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/orvreport/printer-forms.json");
}

QJsonObject formToJson(const TPaperForm& form)
{
    return {{"name", QString::fromStdString(form.name)},
            {"width", form.width},
            {"height", form.height},
            {"left", form.left},
            {"top", form.top},
            {"right", form.right},
            {"bottom", form.bottom}};
}

TPaperForm formFromJson(const QJsonObject& json)
{
    return {json.value("name").toString().toStdString(),
            json.value("width").toInt(),
            json.value("height").toInt(),
            json.value("left").toInt(),
            json.value("top").toInt(),
            json.value("right").toInt(),
            json.value("bottom").toInt()};
}

// The forms of one printer.
struct TFormList {
    std::string printer;
    std::vector<TPaperForm> forms;

    std::vector<TPaperForm>::iterator find(const std::string& name)
    {
        return std::find_if(forms.begin(), forms.end(),
                            [&](const TPaperForm& form) { return equalsIgnoringAsciiCase(form.name, name); });
    }
};

// Every printer's forms as the forms file holds them. Each operation reads
// the file afresh and writes it whole, so that several processes see one
// another's changes.
class TFormFile {
public:
    // A missing or unreadable file holds no forms.
    TFormFile()
    {
        QFile file(formsFilePath());
        if (!file.open(QIODevice::ReadOnly))
            return;
        const QJsonObject printers = QJsonDocument::fromJson(file.readAll()).object();
        for (auto printer = printers.begin(); printer != printers.end(); ++printer) {
            TFormList& list = m_lists.emplace_back();
            list.printer = printer.key().toStdString();
            for (const QJsonValue& form : printer.value().toArray())
                list.forms.push_back(formFromJson(form.toObject()));
        }
    }

    // The printer's forms; an empty list it gets on the first form added.
    TFormList& forms(const std::string& printer)
    {
        auto list = std::find_if(m_lists.begin(), m_lists.end(), [&](const TFormList& candidate) {
            return equalsIgnoringAsciiCase(candidate.printer, printer);
        });
        if (list != m_lists.end())
            return *list;
        TFormList& added = m_lists.emplace_back();
        added.printer = printer;
        return added;
    }

    void save() const
    {
        QJsonObject printers;
        for (const TFormList& list : m_lists) {
            if (list.forms.empty())
                continue;
            QJsonArray forms;
            for (const TPaperForm& form : list.forms)
                forms.append(formToJson(form));
            printers.insert(QString::fromStdString(list.printer), forms);
        }
        const QString path = formsFilePath();
        if (!QDir().mkpath(QFileInfo(path).path()))
            throw std::runtime_error("Cannot create the folder of " + path.toStdString());
        writeFileAtomically(path.toStdString(), QJsonDocument(printers).toJson().toStdString());
    }

private:
    std::vector<TFormList> m_lists;
};

} // namespace

int32_t addPrinterForm(const std::string& printer, const TPaperForm& form)
{
    if (!printerInstalled(printer))
        return printerError::InvalidPrinterName;
    if (form.name.empty())
        return printerError::InvalidFormName;
    TFormFile file;
    TFormList& list = file.forms(printer);
    if (list.find(form.name) != list.forms.end())
        return printerError::FileExists;
    list.forms.push_back(form);
    file.save();
    return 0;
}

int32_t setPrinterForm(const std::string& printer, const TPaperForm& form)
{
    if (!printerInstalled(printer))
        return printerError::InvalidPrinterName;
    TFormFile file;
    TFormList& list = file.forms(printer);
    const auto stored = list.find(form.name);
    if (stored == list.forms.end())
        return printerError::InvalidFormName;
    *stored = form;
    file.save();
    return 0;
}

int32_t deletePrinterForm(const std::string& printer, const std::string& formName)
{
    if (!printerInstalled(printer))
        return printerError::InvalidPrinterName;
    TFormFile file;
    TFormList& list = file.forms(printer);
    const auto stored = list.find(formName);
    if (stored == list.forms.end())
        return printerError::InvalidFormName;
    list.forms.erase(stored);
    file.save();
    return 0;
}

std::optional<TPaperForm> printerForm(const std::string& printer, const std::string& formName)
{
    if (!printerInstalled(printer))
        return std::nullopt;
    TFormFile file;
    TFormList& list = file.forms(printer);
    const auto stored = list.find(formName);
    if (stored == list.forms.end())
        return std::nullopt;
    return *stored;
}

} // namespace orv
