#pragma once

// The 断链 of the profile beside its 纵坡竖曲线表: listed in road order,
// added, changed and deleted as "前桩号=后桩号", each change one undo step.
// The points keep their true distances; the numbering after the equation
// follows it.

#include <QUndoCommand>
#include <QWidget>
#include <vector>

#include "profile/chainage_equations.h"

class QLineEdit;
class QTableWidget;

namespace vcurve::profileui {

class ProfileDocument;

class EquationsCommand : public QUndoCommand {
 public:
  EquationsCommand(ProfileDocument* document, std::vector<profile::ChainageEquation> before,
                   std::vector<profile::ChainageEquation> after, const QString& text);
  void redo() override;
  void undo() override;

 private:
  ProfileDocument* document_;
  std::vector<profile::ChainageEquation> before_, after_;
};

class EquationsPanel : public QWidget {
  Q_OBJECT

 public:
  explicit EquationsPanel(ProfileDocument* document, QWidget* parent = nullptr);

  // What the buttons do, for the tests as for the user: the reason when
  // refused, empty when done.
  QString add(const QString& text);
  QString change(int row, const QString& text);
  QString remove(int row);
  QTableWidget* list() const { return list_; }

 Q_SIGNALS:
  void statusMessage(const QString& text);

 private:
  void show();
  void addTyped();
  void changeTyped();
  void removeChosen();
  QString apply(std::vector<profile::ChainageEquation> equations, const QString& what);

  ProfileDocument* document_;
  QLineEdit* edit_;
  QTableWidget* list_;
};

}  // namespace vcurve::profileui
