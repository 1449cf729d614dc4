#pragma once

#include "document/Units.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// One entry of the measured-font table, identified by (Name, Size, Style).
struct TReportFont {
    std::string Name;
    int32_t Size = 0;
    std::string Style; // style letters, upper-case
    uint8_t GdiPlusStyle = 0; // 1 bold, 2 italic, 4 underline, 8 strike-out
    Currency CellAscent;
    Currency AscentInches;
    Currency CellDescent;
    Currency LineSpacingInches;
    int32_t LineSpacingUnits = 0;
    int32_t EmHeight = 2048;
};

// One entry of the PDF font table, e.g. "Arial,BoldItalic".
struct TPDFReportFont {
    std::string Name;
    int32_t Embed = 0; // embedding choice, set by the PDF font services
};

// PDF output settings.
struct TPDFSetup {
    std::string FileName = "Orv Report Engine.PDF";
    std::string Author, Title, Subject, Keywords, Creator;
    std::string Password, OwnerPassword, UserPassword;
    bool Compress = true;
    int32_t PrintingLevel = 0;
    bool AllowCopying = false;
    bool AllowChanges = false;
    bool AllowCommenting = false;
    bool AllowFillingFormFields = false;
    bool AllowCopyingAccessibility = false;
    bool AllowDocumentAssembly = false;
    bool DisplaySecurityOptions = false;
    int32_t JpegQuality = 90;
    int32_t BitmapQuality = 100;
    bool EmbedFonts = false;
    bool EncryptDocument = false;
    uint32_t EncryptMode = 0; // 0 none, 1 RC4 40-bit, 3 AES-256

    bool CompressBitmaps = true;
    Currency Margin = Currency::fromInches(0.25);
    Currency XOffset = Currency::fromInches(0.25);
    Currency YOffset = Currency::fromInches(0.25);
    bool ConfirmAfterCreate = true;
    bool OpenAfterCreate = true;
    bool PromptForSave = true;
    int32_t CodePage = 1252;
    int32_t ChartMode = 0; // charts in PDF: 0 a JPEG image, 1 vectors and text
    int32_t UnicodeText = 0; // 0 composite fonts only where the code page fails, 1 always
};

// Print job settings.
struct TPrinterSetup {
    uint8_t PagesPerSheet = 1;
    uint8_t PageType = 0; // 0 all, 1 odd, 2 even pages
    int32_t StartPage = 1;
    int32_t EndPage = 1;
    int32_t Copies = 1;
    bool Collate = false;
    bool Reverse = false;
    bool Duplex = false;
    bool ColorOutput = true;
    bool ShrinkToFit = false;
    bool PromptForPrint = true;
    int16_t PrinterIndex = 0;
    std::string FileName;
};

// E-mail settings.
struct TEMAILSetup {
    std::string FromAddress;
    std::string SmtpHost;
    int32_t SmtpPort = 0;
    std::string Recipients, Subject, Body, BodyHtml, CcAddresses, BccAddresses;
    uint8_t AuthorizationType = 0;
    std::string UserId, Password;
    bool ReturnReceipt = false;
    std::string AttachmentFileName = "Report.PDF";
    uint8_t MessagingType = 0;
    std::string ContentType = "text/plain";
    std::string MapiProfileName, MapiPassword;
    bool ConfirmAfterSend = false;
    std::vector<std::string> Attachments;
    uint8_t SmtpHostDisplayStyle = 0;
    uint8_t FromDisplayStyle = 0;
    // TLS use: 0 STARTTLS when offered (no password in clear), 1 TLS
    // required, 2 no TLS.
    uint8_t SmtpSecurity = 0;
    std::string SmtpCaFile; // PEM certificates trusted besides the system's
    int32_t SmtpTimeout = 30; // seconds for connecting and for each reply
    std::string SendmailCommand = "/usr/sbin/sendmail -t -i";
};

// The month calendar drawn over every page when shown; page p shows month
// CalendarMonth + p - 1.
struct TCalendarSetup {
    float CalendarWidth = 5.0f;
    float CalendarHeight = 4.0f;
    float CalendarLeft = 1.0f;
    float CalendarTop = 1.0f;
    bool CalendarShow = false;
    bool CalendarShowGridLines = false;
    int32_t CalendarMonth = 1; // set to the current month when the report is created
    int32_t CalendarYear = 2000; // set to the current year when the report is created
    int32_t CalendarDateFontSize = 24;
    int32_t CalendarMonthFontSize = 30;
    Colour CalendarMonthFontColor = 0;
    Colour CalendarDateFontColor = 0;
    std::string CalendarMonthFontName = "Arial";
    std::string CalendarDateFontName = "Arial";
    std::string CalendarMonthFontStyle;
    std::string CalendarDateFontStyle;
    std::array<std::string, 12> MonthNames = {"January", "February", "March",     "April",
                                              "May",     "June",     "July",      "August",
                                              "September", "October", "November", "December"};
};

} // namespace orv
