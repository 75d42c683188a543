// Plasma's task manager model, sorted as the panel's (by hand, new tasks last): prints the
// tasks in order, as title@pid, "!" after one demanding attention, whenever that changes.
import QtQuick 2.15
import QtQuick.Window 2.15
import org.kde.taskmanager 0.1 as TaskManager

// A window never shown: the viewer runs as long as a window is there.
Window {
  property var tasks: TaskManager.TasksModel {
    sortMode: TaskManager.TasksModel.SortManual
    groupMode: TaskManager.TasksModel.GroupDisabled
  }
  property string shown: ""
  property var watch: Timer {
    interval: 100; running: true; repeat: true
    onTriggered: {
      let line = [];
      for (let i = 0; i < tasks.count; ++i) {
        let task = tasks.index(i, 0);
        line.push(tasks.data(task, Qt.DisplayRole) + "@" +
                  tasks.data(task, TaskManager.AbstractTasksModel.AppPid) +
                  (tasks.data(task, TaskManager.AbstractTasksModel.IsDemandingAttention) ? "!" : ""));
      }
      if (line.join("|") != shown) console.log("tasks: " + (shown = line.join("|")));
    }
  }
}
