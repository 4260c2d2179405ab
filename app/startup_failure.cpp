#include "app/startup_failure.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace vcurve {
namespace {

struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QString text;
};

std::vector<HeldMessage>& held() {
  static std::vector<HeldMessage> messages;
  return messages;
}

QByteArray& programName() {
  static QByteArray name;
  return name;
}

QByteArray& startCommand() {
  static QByteArray command;
  return command;
}

QString environment(const char* name) { return qEnvironmentVariable(name); }

// What Qt tried and what went wrong, from the messages it gave on the way.
QString whyNoWindow(const QString& fatal) {
  static const QRegularExpression missingPlugin(
      QStringLiteral("Could not find the Qt platform plugin \"([^\"]*)\""));
  static const QRegularExpression noX11(QStringLiteral("could not connect to display ?(.*)$"));
  static const QRegularExpression available(
      QStringLiteral("Available platform plugins are: ([^\\n]*?)\\.?\\s*$"));
  QStringList reasons;
  bool noDisplay = false;
  for (const HeldMessage& message : held()) {
    if (const auto m = missingPlugin.match(message.text); m.hasMatch()) {
      const QString name = m.captured(1);
      if (name.startsWith(QLatin1String("wayland"))) {
        reasons << QStringLiteral("本机没有 Qt 的 Wayland 平台插件（Debian 软件包 qt6-wayland）");
      } else {
        const auto list = available.match(fatal);
        reasons << QStringLiteral("找不到 QT_QPA_PLATFORM 指定的图形平台“%1”%2")
                       .arg(name, list.hasMatch()
                                      ? QStringLiteral("（可用的有：%1）").arg(list.captured(1))
                                      : QString());
      }
    } else if (const auto x = noX11.match(message.text); x.hasMatch()) {
      noDisplay = true;
      const QString display = x.captured(1).trimmed();
      if (!display.isEmpty()) {
        reasons << QStringLiteral("连接不上 X11 显示“%1”（DISPLAY）").arg(display);
      } else if (environment("WAYLAND_DISPLAY").isEmpty()) {
        reasons << QStringLiteral("DISPLAY 和 WAYLAND_DISPLAY 都没有设置");
      } else {
        reasons << QStringLiteral("DISPLAY 没有设置");
      }
    } else if (message.text.contains(QLatin1String("wl_display"))) {
      noDisplay = true;
      const QString display = environment("WAYLAND_DISPLAY");
      reasons << QStringLiteral("连接不上 Wayland 显示“%1”（WAYLAND_DISPLAY）")
                     .arg(display.isEmpty() ? QStringLiteral("wayland-0") : display);
    }
  }
  if (reasons.isEmpty()) reasons << fatal.section(QLatin1Char('\n'), 0, 0).trimmed();
  QString line = QStringLiteral("无法打开窗口：%1。").arg(reasons.join(QStringLiteral("；")));
  if (noDisplay) {
    line += QStringLiteral("在没有图形显示的机器上可以这样运行：xvfb-run -a %1")
                .arg(QString::fromLocal8Bit(startCommand()));
  }
  return line;
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    held().push_back({type, QByteArray(context.category), text});
    return;
  }
  const QByteArray line =
      QStringLiteral("%1：%2\n").arg(QString::fromUtf8(programName()), whyNoWindow(text)).toUtf8();
  std::fputs(line.constData(), stderr);
  std::fflush(stderr);
  // Qt would abort after this handler returns: the program ends here, as a
  // failed start and not a crash, without running anything half made.
  std::_Exit(1);
}

}  // namespace

void ExplainStartupFailure(const char* name, const char* startedAs) {
  programName() = name;
  startCommand() = startedAs;
  qInstallMessageHandler(holdMessage);
}

void ReleaseStartupMessages() {
  qInstallMessageHandler(nullptr);
  for (const HeldMessage& message : held()) {
    const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
    qt_message_output(message.type, context, message.text);
  }
  held().clear();
}

}  // namespace vcurve
