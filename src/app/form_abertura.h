// TFormAbertura: the splash window shown while the program starts, with a
// progress bar that advances as the long-lived windows are created.
#pragma once

#include <QWidget>
#include <vector>

class QProgressBar;

namespace quintara {

class TFormAbertura : public QWidget {
    Q_OBJECT
public:
    explicit TFormAbertura(QWidget* parent = nullptr);

    // Moves the bar and paints the window at once (start-up runs before the event loop).
    void setProgress(int position);
    int progress() const;
    // Every position the bar has been set to, in order.
    const std::vector<int>& history() const { return history_; }

    QProgressBar* ProgressBar = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::vector<int> history_;
};

}  // namespace quintara
