#include "widgets/DatePicker.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace widgets {

namespace {

constexpr const char* kCaption = "Date Selection";

QDate ToQDate(base::Date d) {
    return QDate(d.year, d.month, d.day);
}

base::Date FromQDate(const QDate& d) {
    return {d.year(), d.month(), d.day()};
}

}  // namespace

TCalForm::TCalForm(QWidget* parent)
    : QDialog(parent),
      calendar_(new QCalendarWidget(this)),
      monthList_(new QComboBox(this)),
      yearList_(new QSpinBox(this)) {
    setObjectName("TCalForm");
    setWindowTitle(kCaption);

    // The month and year lists replace the calendar's own navigation bar, so one control set
    // moves the page and the keyboard reaches both lists with Tab.
    calendar_->setObjectName("Calendar");
    calendar_->setNavigationBarVisible(false);
    calendar_->setGridVisible(true);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar_->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    calendar_->setMinimumDate(QDate(1900, 1, 1));
    calendar_->setMaximumDate(QDate(2099, 12, 31));

    monthList_->setObjectName("MonthList");
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (int m = 1; m <= 12; ++m) monthList_->addItem(english.standaloneMonthName(m));

    yearList_->setObjectName("YearList");
    yearList_->setRange(1900, 2099);

    auto* lists = new QHBoxLayout;
    lists->addWidget(monthList_, 1);
    lists->addWidget(yearList_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
    buttons->button(QDialogButtonBox::Cancel)->setText("&Cancel");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addWidget(calendar_);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // activated: a double click on a day, or Enter in the calendar.
    connect(calendar_, &QCalendarWidget::activated, this, &QDialog::accept);
    connect(calendar_, &QCalendarWidget::currentPageChanged, this, &TCalForm::CalendarPageChanged);
    connect(monthList_, &QComboBox::currentIndexChanged, this, &TCalForm::MonthListChange);
    connect(yearList_, &QSpinBox::valueChanged, this, &TCalForm::YearListChange);

    SetSelectedDate(FromQDate(QDate::currentDate()));
}

std::optional<base::Date> TCalForm::Pick(const QString& caption, base::Date initial) {
    setWindowTitle(caption.isEmpty() ? QString(kCaption) : caption);
    if (ToQDate(initial).isValid()) SetSelectedDate(initial);
    calendar_->setFocus();
    const bool chosen = exec() == QDialog::Accepted;
    setWindowTitle(kCaption);
    if (!chosen) return std::nullopt;
    return SelectedDate();
}

void TCalForm::ViewCalendar(base::Date today, QWidget* over) {
    setWindowTitle("View Calendar");
    SetSelectedDate(today);
    adjustSize();
    if (over) move(over->frameGeometry().center() - rect().center());
    calendar_->setFocus();
    exec();
    setWindowTitle(kCaption);
}

base::Date TCalForm::SelectedDate() const {
    return FromQDate(calendar_->selectedDate());
}

void TCalForm::SetSelectedDate(base::Date date) {
    const QDate d = ToQDate(date);
    if (!d.isValid()) return;
    calendar_->setSelectedDate(d);
    calendar_->setCurrentPage(d.year(), d.month());
    CalendarPageChanged(d.year(), d.month());
}

void TCalForm::CalendarPageChanged(int year, int month) {
    const QSignalBlocker blockMonth(monthList_);
    const QSignalBlocker blockYear(yearList_);
    monthList_->setCurrentIndex(month - 1);
    yearList_->setValue(year);
}

void TCalForm::MonthListChange(int index) {
    if (index >= 0) MoveToPage(yearList_->value(), index + 1);
}

void TCalForm::YearListChange(int year) {
    MoveToPage(year, monthList_->currentIndex() + 1);
}

// Moving to another month keeps the day where it can, else the month's last day, so the
// selection always follows the page shown.
void TCalForm::MoveToPage(int year, int month) {
    const QDate first(year, month, 1);
    const int day = std::min(calendar_->selectedDate().day(), first.daysInMonth());
    SetSelectedDate({year, month, day});
}

}  // namespace widgets
