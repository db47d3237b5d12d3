#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace kvotlk::test {

// Owns a window that deletes itself on close: the test can see whether it is gone.
template <typename Window>
class WindowUnderTest {
 public:
  explicit WindowUnderTest(Window* window) : window_(window) { window_->show(); }
  ~WindowUnderTest() { delete window_.data(); }
  WindowUnderTest(const WindowUnderTest&) = delete;
  WindowUnderTest& operator=(const WindowUnderTest&) = delete;

  Window* operator->() const { return window_.data(); }
  Window* get() const { return window_.data(); }

  // Runs the deletions a close has posted; true when the window is gone.
  bool closed() const {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return window_.isNull();
  }

  template <typename Child>
  Child* child(const QString& name) const {
    auto* found = window_->template findChild<Child*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
  }

 private:
  QPointer<Window> window_;
};

inline std::string str(const QString& text) { return text.toStdString(); }

}  // namespace kvotlk::test
