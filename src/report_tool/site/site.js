// rimtrace-report site: sorts and filters the index's table of reports in the page. The table is
// complete without this script, which only changes the order of its rows and hides some. It reads
// what it needs from the table itself (data-key on a cell, data-serial, data-worst and data-check
// on a row), so no report text is ever part of a script.
(function () {
  "use strict";
  const table = document.getElementById("reports");
  const form = document.getElementById("filters");
  if (!table || !form) {
    return;
  }
  const body = table.tBodies[0];
  const rows = Array.from(body.rows);
  const firstOrder = new Map(rows.map((row, i) => [row, i]));
  const headings = Array.from(table.tHead.rows[table.tHead.rows.length - 1].cells);
  let sorted = { column: -1, ascending: true };

  function key(row, column, numeric) {
    const cell = row.cells[column];
    const text = cell.hasAttribute("data-key") ? cell.getAttribute("data-key") : cell.textContent;
    if (numeric) {
      return text === "" ? -Infinity : Number(text);
    }
    return text.toLocaleLowerCase();
  }

  function sortBy(column) {
    const numeric = headings[column].getAttribute("data-type") === "number";
    const ascending = sorted.column === column ? !sorted.ascending : true;
    sorted = { column, ascending };
    rows.sort((a, b) => {
      const x = key(a, column, numeric);
      const y = key(b, column, numeric);
      const order = x < y ? -1 : x > y ? 1 : 0;
      return (ascending ? order : -order) || firstOrder.get(a) - firstOrder.get(b);
    });
    const ordered = document.createDocumentFragment();
    rows.forEach((row) => ordered.appendChild(row));
    body.appendChild(ordered);
    headings.forEach((th, i) => {
      if (i === column) {
        th.setAttribute("aria-sort", ascending ? "ascending" : "descending");
      } else {
        th.removeAttribute("aria-sort");
      }
    });
  }

  headings.forEach((th, column) => {
    const button = document.createElement("button");
    button.type = "button";
    button.title = "Sort by this column (again: the other way)";
    while (th.firstChild) {
      button.appendChild(th.firstChild);
    }
    th.appendChild(button);
    button.addEventListener("click", () => sortBy(column));
  });

  const serial = form.elements.namedItem("serial");
  const verdict = form.elements.namedItem("verdict");
  const check = form.elements.namedItem("check");
  const shown = document.getElementById("shown");

  function filter() {
    const text = serial.value.trim().toLocaleLowerCase();
    let count = 0;
    rows.forEach((row) => {
      const visible =
        (text === "" || row.dataset.serial.toLocaleLowerCase().includes(text)) &&
        (verdict.value === "" || row.dataset.worst === verdict.value) &&
        (check.value === "" || row.dataset.check === check.value);
      row.hidden = !visible;
      count += visible ? 1 : 0;
    });
    shown.textContent = count + " of " + rows.length + " reports shown";
  }

  form.addEventListener("input", filter);
  form.addEventListener("change", filter);
  form.addEventListener("submit", (event) => event.preventDefault());
  form.hidden = false;
  filter();
})();
