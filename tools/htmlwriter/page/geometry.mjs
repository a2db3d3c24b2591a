// geometry.mjs: the board's shapes as numbers. Board coordinates are mils, y pointing up; angles
// are degrees, counter-clockwise. Every outline is built counter-clockwise, so that shapes of one
// colour filled together as one path add up rather than cancel.

/** Radians per degree. */
export const DEGREES = Math.PI / 180;

/** Designators compared as people count: "R2" before "R10" (as the bill of materials sorts). */
export function naturalCompare(a, b) {
  let i = 0;
  let j = 0;
  const digit = (c) => c >= 48 && c <= 57;
  while (i < a.length && j < b.length) {
    const ca = a.charCodeAt(i);
    const cb = b.charCodeAt(j);
    if (digit(ca) && digit(cb)) {
      let ei = i;
      let ej = j;
      while (ei < a.length && digit(a.charCodeAt(ei))) ei++;
      while (ej < b.length && digit(b.charCodeAt(ej))) ej++;
      let si = i;
      let sj = j;
      while (si + 1 < ei && a[si] === "0") si++;
      while (sj + 1 < ej && b[sj] === "0") sj++;
      if (ei - si !== ej - sj) return ei - si - (ej - sj);
      const ra = a.slice(si, ei);
      const rb = b.slice(sj, ej);
      if (ra !== rb) return ra < rb ? -1 : 1;
      i = ei;
      j = ej;
      continue;
    }
    if (ca !== cb) return ca - cb;
    i++;
    j++;
  }
  const restA = a.length - i;
  const restB = b.length - j;
  if (restA !== restB) return restA - restB;
  return a < b ? -1 : a > b ? 1 : 0;
}

/** A point turned by degrees about a centre. */
export function rotated(x, y, cx, cy, degrees) {
  if (!degrees) return [x, y];
  const c = Math.cos(degrees * DEGREES);
  const s = Math.sin(degrees * DEGREES);
  const dx = x - cx;
  const dy = y - cy;
  return [cx + dx * c - dy * s, cy + dx * s + dy * c];
}

/**
 * The outline of a pad or fill: a rectangle w by h about (cx, cy), corners rounded by radius,
 * turned by degrees; as {corners} for straight corners or {arcs} for rounded ones.
 */
export function roundedRectangle(cx, cy, w, h, radius, degrees) {
  const hw = w / 2;
  const hh = h / 2;
  const r = Math.max(0, Math.min(radius, hw, hh));
  // Corner centres counter-clockwise from the lower right, each with its quarter's start angle.
  const corners = [
    [hw - r, -hh + r, -90],
    [hw - r, hh - r, 0],
    [-hw + r, hh - r, 90],
    [-hw + r, -hh + r, 180],
  ];
  return corners.map(([x, y, start]) => {
    const [px, py] = rotated(cx + x, cy + y, cx, cy, degrees);
    return { x: px, y: py, r, start: start + (degrees || 0) };
  });
}

/** The eight corners of an octagonal pad, each corner cut as in a regular octagon. */
export function octagon(cx, cy, w, h, degrees) {
  const cut = Math.min(w, h) * (1 - 1 / Math.SQRT2);
  const x0 = cx - w / 2;
  const x1 = cx + w / 2;
  const y0 = cy - h / 2;
  const y1 = cy + h / 2;
  const points = [
    [x0 + cut, y0], [x1 - cut, y0], [x1, y0 + cut], [x1, y1 - cut],
    [x1 - cut, y1], [x0 + cut, y1], [x0, y1 - cut], [x0, y0 + cut],
  ];
  return points.map(([x, y]) => rotated(x, y, cx, cy, degrees));
}

/** How far a point is from the segment (x1, y1)-(x2, y2). */
export function distanceToSegment(px, py, x1, y1, x2, y2) {
  const dx = x2 - x1;
  const dy = y2 - y1;
  const length2 = dx * dx + dy * dy;
  let t = length2 > 0 ? ((px - x1) * dx + (py - y1) * dy) / length2 : 0;
  t = Math.max(0, Math.min(1, t));
  return Math.hypot(px - (x1 + t * dx), py - (y1 + t * dy));
}

/** The sweep of an arc from its start to its end angle, counter-clockwise: (0, 360]. */
export function arcSweep(startAngle, endAngle) {
  let sweep = (endAngle - startAngle) % 360;
  if (sweep <= 0) sweep += 360;
  return sweep;
}

/** Whether the direction of angle (degrees) lies within the arc's sweep. */
export function angleWithin(angle, startAngle, sweep) {
  let offset = (angle - startAngle) % 360;
  if (offset < 0) offset += 360;
  return offset <= sweep;
}

/** Whether a point lies in the rectangle w by h about (cx, cy) turned by degrees, grown by margin. */
export function insideTurnedRectangle(px, py, cx, cy, w, h, degrees, margin) {
  const [x, y] = rotated(px, py, cx, cy, -(degrees || 0));
  return Math.abs(x - cx) <= w / 2 + margin && Math.abs(y - cy) <= h / 2 + margin;
}

/** The box around a rectangle w by h about (cx, cy) turned by degrees: [minX, minY, maxX, maxY]. */
export function turnedBox(cx, cy, w, h, degrees) {
  const a = (degrees || 0) * DEGREES;
  const c = Math.abs(Math.cos(a));
  const s = Math.abs(Math.sin(a));
  const hw = (w * c + h * s) / 2;
  const hh = (w * s + h * c) / 2;
  return [cx - hw, cy - hh, cx + hw, cy + hh];
}
